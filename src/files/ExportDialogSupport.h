#pragma once

class QDialog;
class QVBoxLayout;

namespace velmora {

// The export dialogs' last row: their "Save" button ("BitBtn1"), at the right, the default
// button, accepting the dialog. The dialog then keeps its designed size.
void AddSaveRow(QDialog* dialog, QVBoxLayout* layout);

}  // namespace velmora
