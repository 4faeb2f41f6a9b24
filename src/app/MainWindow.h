#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "app/AppPaths.h"
#include "app/RecentCards.h"
#include "document/CardDocument.h"
#include "document/ViewportRenderer.h"
#include "files/CardFiles.h"
#include "graphics/Random.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace velmora {

class GifSettingsDialog;
class JpegCompressionDialog;
class LayerView;
class NewProjectDialog;
class SidePanel;

// The program's one main window: menus, tool bar, the card view, the side panel and the status
// bar. It owns the card document and the dialogs, and turns every command into calls on the
// document and its operations.
class MainWindow : public QMainWindow, public DocumentObserver {
  Q_OBJECT

 public:
  // Reads the settings files from `paths` (FormCreate).
  explicit MainWindow(const AppPaths& paths, QWidget* parent = nullptr);
  ~MainWindow() override;

  CardDocument& document() noexcept { return doc_; }
  LayerView* view() const noexcept { return view_; }
  SidePanel* side_panel() const noexcept { return panel_; }
  // The menu item or tool action with this form name (null when there is none).
  QAction* action(const QString& name) const;
  QMenu* menu(const QString& name) const;
  QString status_text(int panel) const;
  void set_status_text(int panel, const QString& text);
  // The program's one random generator (effects draw from it).
  Random& random() noexcept { return random_; }

  // For the command modules (app/*Commands.cpp): each connects the items of its commands and
  // marks them available; items never marked stay disabled.
  void MarkAvailable(const QString& name);
  // Shows a failed command's message in one message box.
  void ShowError(const QString& message);
  // Runs `command`, showing a velmora::Error it throws as a message box. False on an error.
  bool RunReported(const std::function<void()>& command);

  // Commands (public so that tests can drive them without menus).
  void NewProject();          // File > New
  void AddNewPhoto();         // Image > Add New Photo
  void ActualSize();          // View > Actual Size
  void FitToWindow();         // View > Fit To Window
  void SetChess(bool chess);  // View > Change Background > Chess
  void Open();                // File > Open
  // Opens the named card (the open routine of every way a card is opened). False when the file
  // could not be read; the message has been shown and the card is as it was.
  bool OpenCard(const QString& name);
  void OpenRecent(int index);  // a Recent Cards item or Start-panel link
  // Save: false when nothing was written (no name and Save As cancelled, or a failure).
  bool Save();
  // Save As with the save dialog's filter preset to `filter_index` (1..6).
  bool SaveAs(int filter_index = 0);
  // Asks "Save changes to the file?" when the card has changed. False: do not go on.
  bool ConfirmSave();
  // Opens the card named by the command-line arguments, joined with single spaces (FormShow).
  void OpenFromCommandLine(const QStringList& arguments);
  // Writes the three settings files (FormClose; File > Exit writes the recent list too). A
  // failure is reported once and never blocks closing.
  void WriteSettings();
  const RecentCards& recent_cards() const noexcept { return recent_; }
  JpegCompressionDialog* jpeg_dialog() const noexcept { return compress_; }
  GifSettingsDialog* gif_dialog() const noexcept { return gif_type_; }
  // How the next Save As asks for its name (tests replace the dialog).
  std::function<QString(int& filter_index)> ask_save_name;
  std::function<QString()> ask_open_name;
  // Recomputes every enabled state from the card (the view's change rule).
  void UpdateMenus();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

  // DocumentObserver
  void OnDocumentChanged() override;
  void OnSelectionChanged(SelectionPanel panel) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void ConnectSidePanel();
  QAction* AddAction(const char* name, const QString& text);
  void Connect(const char* name, void (MainWindow::*handler)());
  void Enable(const QString& name, bool enabled);
  void ApplyImageMenuRule();
  void ApplyProcessMenuRule();
  void ApplySelectionMenuRule();
  void ApplyEditMenuRule();
  void ApplyPopupRule();
  void OnScaleComboEdited(const QString& text);
  void ShowScale(double scale);
  void SelectBackgroundColour();
  void Reorder(int command);
  void ShowAbout();
  bool ClipboardHasPicture() const;
  void SetStatusSize();
  void ReadSettings();
  void ApplyPlacement();
  void RebuildRecentMenu();
  void AddRecentFile(const QString& name);
  QString CurrentFileName() const;
  bool WriteCardReported(const QString& path, CardFileKind kind, const SaveOptions& options);
  void FitIfLarger();

  CardDocument doc_;
  Random random_;
  LayerView* view_ = nullptr;
  SidePanel* panel_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QLabel* status_[2] = {nullptr, nullptr};
  std::map<QString, QAction*> actions_;
  std::map<QString, QMenu*> menus_;
  // Actions whose commands exist; every other item stays disabled.
  std::set<QString> available_;
  NewProjectDialog* templates_ = nullptr;
  JpegCompressionDialog* compress_ = nullptr;
  GifSettingsDialog* gif_type_ = nullptr;
  AppPaths paths_;
  RecentCards recent_;
  std::vector<QAction*> recent_items_;  // N15 and the four spare items
  int save_filter_index_ = 1;
  QString open_name_, save_name_;  // the open and save dialogs' file names
  bool updating_scale_ = false;
};

}  // namespace velmora
