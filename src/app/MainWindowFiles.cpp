// The main window's file commands: opening, the recent cards, saving, exporting, the save
// prompt and the settings files.

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>

#include "app/MainWindow.h"
#include "app/SettingsFiles.h"
#include "app/SidePanel.h"
#include "files/GifSettingsDialog.h"
#include "files/JpegCompressionDialog.h"
#include "graphics/Error.h"
#include "widgets/CollapsibleSection.h"
#include "widgets/Icons.h"
#include "widgets/LayerView.h"
#include "widgets/LinkLabel.h"

namespace velmora {
namespace {

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), int(s.size())); }
std::string Std(const QString& s) { return s.toStdString(); }

const QString kPlaceholder = Qs(RecentCards::kPlaceholder);

}  // namespace

QString MainWindow::CurrentFileName() const {
  return !save_name_.isEmpty() ? save_name_ : open_name_;
}

void MainWindow::FitIfLarger() {
  const Bitmap32& b = doc_.base_image();
  const QSize vp = view_->viewport()->size();
  if (b.width() > vp.width() - 20 || b.height() > vp.height() - 20) FitToWindow();
}

bool MainWindow::ConfirmSave() {
  if (doc_.modified_mark() != kMarkChanged) return true;
  const auto answer = QMessageBox::question(
      this, "Velmora", "Save changes to the file?",
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) return true;
  if (answer != QMessageBox::Yes) return false;
  // Nothing unsaved is thrown away: a Save that wrote nothing stops the command.
  return Save();
}

bool MainWindow::OpenCard(const QString& name) {
  save_name_.clear();
  open_name_ = name;
  try {
    OpenCardFile(doc_, Std(name));
  } catch (const Error& e) {
    ShowError(QString::fromStdString(e.what()));
    panel_->image_section->setVisible(doc_.HasCard());
    return false;
  }
  doc_.ClearUndo();
  panel_->image_section->setVisible(doc_.HasCard());
  Enable("Save1", SaveOfferedAfterOpening(Std(name)));
  Enable("N3", true);
  AddRecentFile(name);
  status_[0]->setFixedWidth(std::max(50, statusBar()->contentsRect().width() - 400));
  status_[0]->setText(name);
  SetStatusSize();
  panel_->start_section->hide();
  panel_->card_section->show();
  return true;
}

void MainWindow::Open() {
  if (doc_.HasCard() && !ConfirmSave()) return;
  const QString name =
      ask_open_name ? ask_open_name()
                    : QFileDialog::getOpenFileName(this, "Open", open_name_, Qs(OpenFilterText()));
  // Nothing opened (cancelled or unreadable): the card and its mark stay as they were.
  if (name.isEmpty() || !OpenCard(name)) return;
  FitIfLarger();
  view_->viewport()->update();
  doc_.set_modified_mark(kMarkUnchanged);
}

void MainWindow::OpenRecent(int index) {
  if (index < 0 || index >= int(recent_.items().size())) return;
  const QString name = QString::fromStdString(recent_.items()[index]);
  if (recent_.IsEmpty() || name == kPlaceholder) return;
  if (doc_.HasCard() && !ConfirmSave()) return;
  recent_.MarkCurrent(index);
  RebuildRecentMenu();
  if (!OpenCard(name)) return;
  doc_.set_modified_mark(kMarkUnchanged);
  FitIfLarger();
}

void MainWindow::AddRecentFile(const QString& name) {
  if (recent_.Add(Std(name))) RebuildRecentMenu();
}

void MainWindow::RebuildRecentMenu() {
  const auto& items = recent_.items();
  for (size_t i = 0; i < recent_items_.size(); ++i) {
    QAction* a = recent_items_[i];
    a->setVisible(i < items.size());
    if (i < items.size()) a->setText(QString::fromStdString(items[i]));
    a->setIcon(int(i) == recent_.current() ? VelmoraIcon(IconId::kCurrentCard) : QIcon());
  }
}

void MainWindow::OpenFromCommandLine(const QStringList& arguments) {
  if (arguments.isEmpty()) return;
  OpenCard(arguments.join(' '));
}

bool MainWindow::WriteCardReported(const QString& path, CardFileKind kind,
                                   const SaveOptions& options) {
  try {
    WriteCard(doc_, Std(path), kind, options);
    return true;
  } catch (const Error& e) {
    ShowError(QString::fromStdString(e.what()));
    return false;
  }
}

bool MainWindow::Save() {
  const QString name = CurrentFileName();
  if (name.isEmpty()) return SaveAs();
  const auto kind = SaveKindOf(Std(name));
  if (!kind) {
    QMessageBox::information(
        this, "Velmora",
        QString("Velmora cannot write \"%1\" again in its own format. Use Save As to choose a "
                "name and a format.")
            .arg(QFileInfo(name).fileName()));
    return false;
  }
  SaveOptions options;
  options.jpeg_quality = 100;
  options.gif_depth = GifDepth::kAuto;
  if (!WriteCardReported(name, *kind, options)) return false;
  doc_.set_modified_mark(kMarkUnchanged);
  return true;
}

bool MainWindow::SaveAs(int filter_index) {
  if (filter_index >= 1 && filter_index <= 6) save_filter_index_ = filter_index;
  QString typed;
  if (ask_save_name) {
    typed = ask_save_name(save_filter_index_);
  } else {
    QFileDialog dialog(this, "Save As", save_name_.isEmpty() ? open_name_ : save_name_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below for the final name
    const QStringList filters = Qs(SaveFilterText()).split(";;");
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(save_filter_index_ - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    typed = dialog.selectedFiles().first();
    save_filter_index_ = std::max(1, int(filters.indexOf(dialog.selectedNameFilter())) + 1);
  }
  if (typed.isEmpty()) return false;
  const SaveFilter& filter = SaveFilters()[save_filter_index_ - 1];
  const QString target = QString::fromStdString(NameWithExtension(Std(typed), filter.extension));
  if (!ask_save_name && target != typed && QFileInfo::exists(target) &&
      QMessageBox::question(this, "Save As",
                            QString("%1 already exists.\nDo you want to replace it?")
                                .arg(QFileInfo(target).fileName())) != QMessageBox::Yes) {
    return false;
  }
  SaveOptions options;
  if (filter.kind == CardFileKind::kJpeg) {
    view_->viewport()->update();
    if (compress_->exec() != QDialog::Accepted) return false;  // nothing written
    options.jpeg_quality = compress_->quality();
  } else if (filter.kind == CardFileKind::kGif) {
    gif_type_->ShowColourCount(doc_.ComposePicture());
    if (gif_type_->exec() != QDialog::Accepted) return false;
    options.gif_depth = gif_type_->depth();
  }
  if (!WriteCardReported(target, filter.kind, options)) return false;
  open_name_.clear();
  save_name_ = target;
  if (filter.kind == CardFileKind::kProject) AddRecentFile(target);
  Enable("Save1", true);
  Enable("N3", true);
  status_[0]->setText(target);
  view_->viewport()->update();
  doc_.set_modified_mark(kMarkUnchanged);
  return true;
}

void MainWindow::ReadSettings() {
  const auto view = ReadViewBackground(paths_.SettingsFile(kViewFileName));
  view_->SetBackground({view.chess, Color32FromWinColor(view.colour)});
  action("N103")->setChecked(view.chess);
  recent_ = RecentCards(ReadRecentCards(paths_.SettingsFile(kRecentFileName)));
}

void MainWindow::ApplyPlacement() {
  const WindowPlacement p = ReadWindowPlacement(paths_.SettingsFile(kFormFileName));
  if (p.side == PanelSide::kLeft) {
    auto* layout = static_cast<QBoxLayout*>(centralWidget()->layout());
    layout->removeWidget(panel_);
    layout->insertWidget(0, panel_);
  }
  if (p.state == WindowState::kMaximised) {
    setWindowState(Qt::WindowMaximized);
  } else if (p.state == WindowState::kMinimised) {
    setWindowState(Qt::WindowMinimized);
  } else if (!p.centred) {
    move(p.left, p.top);
    resize(p.width, p.height);
  }
}

void MainWindow::WriteSettings() {
  QStringList failures;
  auto attempt = [&](const std::function<void()>& write) {
    try {
      write();
    } catch (const Error& e) {
      failures << QString::fromStdString(e.what());
    }
  };
  attempt([&] { WriteRecentCards(paths_.SettingsFile(kRecentFileName), recent_.items()); });
  const BackgroundStyle& b = view_->background();
  attempt([&] {
    WriteViewBackground(paths_.SettingsFile(kViewFileName),
                        {b.chess, WinColorFromColor32(b.colour)});
  });
  WindowPlacement p;
  p.state = isMaximized()   ? WindowState::kMaximised
            : isMinimized() ? WindowState::kMinimised
                            : WindowState::kNormal;
  const QRect normal = normalGeometry();
  p.left = isMaximized() || isMinimized() ? normal.x() : pos().x();
  p.top = isMaximized() || isMinimized() ? normal.y() : pos().y();
  p.width = isMaximized() || isMinimized() ? normal.width() : width();
  p.height = isMaximized() || isMinimized() ? normal.height() : height();
  auto* layout = static_cast<QBoxLayout*>(centralWidget()->layout());
  p.side = layout->indexOf(panel_) == 0 ? PanelSide::kLeft : PanelSide::kRight;
  p.centred = false;
  attempt([&] { WriteWindowPlacement(paths_.SettingsFile(kFormFileName), p); });
  if (!failures.isEmpty()) {
    QMessageBox::warning(
        this, "Velmora",
        "Velmora could not keep its settings for the next start:\n" + failures.join('\n'));
  }
}

}  // namespace velmora
