#include "files/ExportDialogSupport.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

void AddSaveRow(QDialog* dialog, QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  auto* save = new QPushButton("Save", dialog);
  save->setObjectName("BitBtn1");
  save->setDefault(true);
  row->addWidget(save);
  layout->addLayout(row);
  QObject::connect(save, &QPushButton::clicked, dialog, &QDialog::accept);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace velmora
