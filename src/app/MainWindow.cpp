#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <functional>

#include "app/ActionTable.h"
#include "app/CommandModules.h"
#include "app/SettingsFiles.h"
#include "app/SidePanel.h"
#include "cards/NewProjectDialog.h"
#include "document/LayerOperations.h"
#include "document/ResizeRule.h"
#include "document/UndoRedo.h"
#include "files/GifSettingsDialog.h"
#include "files/JpegCompressionDialog.h"
#include "graphics/Error.h"
#include "widgets/CollapsibleSection.h"
#include "widgets/GaugeBar.h"
#include "widgets/Icons.h"
#include "widgets/LayerView.h"
#include "widgets/LinkLabel.h"

namespace velmora {
namespace {

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), int(s.size())); }

// The tool bar strip: a click on its empty part counts as a change of the card.
class ToolStrip : public QToolBar {
 public:
  ToolStrip(std::function<void()> on_empty_click, QWidget* parent)
      : QToolBar(parent), on_empty_click_(std::move(on_empty_click)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QToolBar::mousePressEvent(event);
    if (on_empty_click_) on_empty_click_();
  }

 private:
  std::function<void()> on_empty_click_;
};

const char* const kPhotoFilter =
    "All supported formats (*.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.png);;"
    "GIF Image (*.gif);;JPEG Image File (*.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;"
    "Enhanced Metafiles (*.emf);;Metafiles (*.wmf);;PNG Image (*.png)";

// Items whose commands exist; the others stay disabled until their command is built.
const char* const kAvailable[] = {
    "mnFileOpen",
    "Save1",
    "N3",
    "N14",
    "N15",
    "BMP1",
    "JPEG1",
    "GIF1",
    "PNG1",
    "TIFF1",
    "mnFileNew",
    "N5",
    "N17",
    "N18",
    "N96",
    "mnFlatten",
    "mnBringToFront",
    "mnSendToBack",
    "mnLevelUp",
    "mnLevelDown",
    "N88",
    "mnDelete",
    "N1002",
    "N35",
    "N102",
    "N103",
    "mnAbout",
    "UPL",
    "DNL",
    "pmBringToFront",
    "pmSendToBack",
    "pmLevelUp",
    "pmLevelDown",
    "pmDuplicate",
    "pmDelete",
};

// Menu entries counted by the enabling rules: those above Duplicate.
constexpr int kLayerEntries = 14;

}  // namespace

MainWindow::MainWindow(const AppPaths& paths, QWidget* parent)
    : QMainWindow(parent), paths_(paths) {
  setObjectName("MainForm");
  setWindowTitle("Velmora");
  setWindowIcon(VelmoraAppIcon());
  for (const char* name : kAvailable) available_.insert(name);

  view_ = new LayerView(doc_, this);
  panel_ = new SidePanel(this);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(view_, 1);
  layout->addWidget(panel_);
  setCentralWidget(central);

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  ConnectSidePanel();

  view_->on_click = [this](Layer* hit, Qt::MouseButton) { ClickLayer(doc_, hit); };
  view_->on_resize = [this](const FloatRect& old_rect, FloatRect& proposed, DragHandle handle,
                            bool ctrl) {
    ResizeContext context;
    context.ctrl = ctrl;
    context.keep_proportions = panel_->keep_proportions->isChecked();
    context.crop_ratio = panel_->crop_ratios->currentIndex();
    context.portrait = panel_->portrait->isChecked();
    if (auto status = ApplyResizeRule(doc_, context, old_rect, proposed, handle)) {
      status_[1]->setText(QString::fromStdString(*status));
    }
  };
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    if (!doc_.selected_layer()) return;
    ApplyPopupRule();
    menu("LayerPopup")->exec(view_->mapToGlobal(p));
  });
  connect(view_, &LayerView::deletePressed, this, [this] { DeleteSelected(doc_); });
  connect(view_, &LayerView::scaleChanged, this, &MainWindow::ShowScale);

  doc_.AddObserver(this);
  resize(kDesignedClientWidth, kDesignedClientHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect avail = screen->availableGeometry();
    move(avail.center() - QPoint(kDesignedClientWidth / 2, kDesignedClientHeight / 2));
  }
  Enable("Save1", false);  // until a card exists
  Enable("N3", false);
  ReadSettings();
  ApplyPlacement();
  RebuildRecentMenu();
  for (size_t i = 0; i < panel_->recent_links.size(); ++i) {
    const auto& items = recent_.items();
    if (i < items.size() && !recent_.IsEmpty()) {
      panel_->recent_links[i]->setText(QFileInfo(QString::fromStdString(items[i])).fileName());
    }
  }
  // The dialogs, created once in the program's fixed order and kept for the whole run.
  gif_type_ = new GifSettingsDialog(this);
  compress_ = new JpegCompressionDialog(this);
  templates_ = new NewProjectDialog(this);
  InstallCommandModules(*this);
  UpdateMenus();
  ApplySelectionMenuRule();
  ApplyPopupRule();
}

MainWindow::~MainWindow() {
  doc_.RemoveObserver(this);
  // The widgets and dialogs that watch the card go before the card does (Qt would delete them
  // only after the window's members).
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QAction* MainWindow::action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const QString& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

QString MainWindow::status_text(int panel) const { return status_[panel]->text(); }

void MainWindow::set_status_text(int panel, const QString& text) { status_[panel]->setText(text); }

void MainWindow::MarkAvailable(const QString& name) {
  available_.insert(name);
  UpdateMenus();
}

bool MainWindow::RunReported(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const Error& e) {
    ShowError(QString::fromStdString(e.what()));
    return false;
  }
}

QAction* MainWindow::AddAction(const char* name, const QString& text) {
  auto* a = new QAction(text, this);
  a->setObjectName(name);
  actions_[name] = a;
  return a;
}

void MainWindow::CreateActions() {
  for (const ActionSpec& spec : MainActions()) {
    QAction* a = AddAction(std::string(spec.name).c_str(), Qs(spec.text));
    if (!spec.shortcut.empty()) a->setShortcut(QKeySequence(Qs(spec.shortcut)));
    if (spec.icon) a->setIcon(VelmoraIcon(*spec.icon));
    if (!spec.hint.empty()) a->setToolTip(Qs(spec.hint));
  }
  action("N103")->setCheckable(true);
  QFont bold = action("N123")->font();
  bold.setBold(true);
  action("N123")->setFont(bold);  // the default item of the File menu

  Connect("mnFileNew", &MainWindow::NewProject);
  Connect("mnFileOpen", &MainWindow::Open);
  connect(action("Save1"), &QAction::triggered, this, [this] { Save(); });
  connect(action("N3"), &QAction::triggered, this, [this] { SaveAs(); });
  const char* exports[] = {"BMP1", "JPEG1", "GIF1", "PNG1", "TIFF1"};
  for (int i = 0; i < 5; ++i) {
    connect(action(exports[i]), &QAction::triggered, this, [this, i] { SaveAs(i + 2); });
  }
  connect(action("N5"), &QAction::triggered, this, &QWidget::close);
  connect(action("N17"), &QAction::triggered, this, [this] { Undo(doc_); });
  connect(action("N18"), &QAction::triggered, this, [this] { Redo(doc_); });
  Connect("N96", &MainWindow::AddNewPhoto);
  connect(action("mnFlatten"), &QAction::triggered, this, [this] { FlattenLayers(doc_); });
  const struct {
    const char* name;
    int command;
  } reorders[] = {{"mnBringToFront", 1},
                  {"mnSendToBack", 2},
                  {"mnLevelUp", 3},
                  {"mnLevelDown", 4},
                  {"pmBringToFront", 1},
                  {"pmSendToBack", 2},
                  {"pmLevelUp", 3},
                  {"pmLevelDown", 4},
                  {"UPL", 1},
                  {"DNL", 2}};
  for (const auto& r : reorders) {
    connect(action(r.name), &QAction::triggered, this, [this, c = r.command] { Reorder(c); });
  }
  for (const char* name : {"N88", "pmDuplicate"}) {
    connect(action(name), &QAction::triggered, this, [this] { DuplicateSelected(doc_); });
  }
  for (const char* name : {"mnDelete", "pmDelete"}) {
    connect(action(name), &QAction::triggered, this, [this] { DeleteSelected(doc_); });
  }
  Connect("N1002", &MainWindow::ActualSize);
  Connect("N35", &MainWindow::FitToWindow);
  Connect("N102", &MainWindow::SelectBackgroundColour);
  connect(action("N103"), &QAction::triggered, this, [this](bool on) { SetChess(on); });
  Connect("mnAbout", &MainWindow::ShowAbout);
}

void MainWindow::Connect(const char* name, void (MainWindow::*handler)()) {
  connect(action(name), &QAction::triggered, this, handler);
}

void MainWindow::CreateMenus() {
  // Submenus first, so a menu can hold them when it is built.
  const auto specs = MainMenus();
  for (const MenuSpec& spec : specs) {
    auto* m = new QMenu(Qs(spec.title), this);
    m->setObjectName(Qs(spec.name));
    menus_[Qs(spec.name)] = m;
  }
  std::set<QString> submenus;
  for (const MenuSpec& spec : specs) {
    QMenu* m = menus_[Qs(spec.name)];
    for (std::string_view entry : spec.entries) {
      if (entry == "-") {
        m->addSeparator();
      } else if (entry.front() == '>') {
        const QString sub = Qs(entry.substr(1));
        m->addMenu(menus_[sub]);
        submenus.insert(sub);
      } else {
        m->addAction(action(Qs(entry)));
      }
    }
  }
  for (const MenuSpec& spec : specs) {
    const QString name = Qs(spec.name);
    if (!submenus.count(name) && name != "LayerPopup") menuBar()->addMenu(menus_[name]);
  }
  connect(menu("N16"), &QMenu::aboutToShow, this, &MainWindow::ApplyEditMenuRule);
  connect(menu("N8"), &QMenu::aboutToShow, this, &MainWindow::ApplyImageMenuRule);
  connect(menu("N40"), &QMenu::aboutToShow, this, &MainWindow::ApplyProcessMenuRule);
  connect(menu("mnArrange"), &QMenu::aboutToShow, this, &MainWindow::ApplySelectionMenuRule);
  // Opening the File menu offers Save and Save As for any card.
  connect(menu("mnFile"), &QMenu::aboutToShow, this, [this] {
    Enable("Save1", doc_.HasCard());
    Enable("N3", doc_.HasCard());
  });
  // Recent Cards: the designed item and four spare ones, shown as the list needs them.
  recent_items_.push_back(action("N15"));
  for (int i = 1; i < int(RecentCards::kMaxItems); ++i) {
    QAction* a = AddAction(QString("RecentItem%1").arg(i).toUtf8().constData(), QString());
    menu("N14")->addAction(a);
    available_.insert(a->objectName());
    recent_items_.push_back(a);
  }
  for (size_t i = 0; i < recent_items_.size(); ++i) {
    connect(recent_items_[i], &QAction::triggered, this, [this, i] { OpenRecent(int(i)); });
  }
}

void MainWindow::CreateToolBar() {
  tool_bar_ = new ToolStrip([this] { doc_.set_modified_mark(kMarkChanged); }, this);
  tool_bar_->setObjectName("ToolBar1");
  tool_bar_->setMovable(false);
  tool_bar_->setFloatable(false);
  tool_bar_->setIconSize(QSize(24, 24));
  tool_bar_->setFixedHeight(36);
  tool_bar_->setContextMenuPolicy(Qt::PreventContextMenu);
  for (std::string_view entry : ToolBarEntries()) {
    if (entry == "-") {
      tool_bar_->addSeparator();
      continue;
    }
    const size_t eq = entry.find('=');
    QAction* a = action(Qs(entry.substr(0, eq)));
    tool_bar_->addAction(a);
    QWidget* button = tool_bar_->widgetForAction(a);
    button->setFixedSize(32, 30);
    button->setObjectName(eq == std::string_view::npos ? "Tool" + a->objectName()
                                                       : Qs(entry.substr(eq + 1)));
  }
  addToolBar(Qt::TopToolBarArea, tool_bar_);
}

void MainWindow::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setFixedHeight(std::max(17, fontMetrics().height() + 6));
  bar->setSizeGripEnabled(false);
  status_[0] = new QLabel("Please use mouse wheel in order to scale an image", bar);
  status_[1] = new QLabel(bar);
  status_[0]->setFixedWidth(350);
  status_[1]->setFixedWidth(200);
  status_[0]->setObjectName("StatusPanel0");
  status_[1]->setObjectName("StatusPanel1");
  bar->addWidget(status_[0]);
  bar->addWidget(status_[1]);
}

void MainWindow::ConnectSidePanel() {
  SidePanel* p = panel_;
  connect(p->scale_combo, &QComboBox::editTextChanged, this, &MainWindow::OnScaleComboEdited);
  connect(p->image_interpolate, &QCheckBox::clicked, this,
          [this](bool on) { SetPictureInterpolation(doc_, on); });
  connect(p->add_photo_button, &QPushButton::clicked, this, &MainWindow::AddNewPhoto);
  connect(p->layer_opacity, &QSlider::valueChanged, this,
          [this](int v) { SetSelectedOpacity(doc_, v); });
  connect(p->layer_interpolate, &QCheckBox::clicked, this,
          [this](bool on) { SetSelectedInterpolation(doc_, on); });
  // "Keep Proportions" shares its click handler with the hidden "Cropped" box, which keeps the
  // selected layer's own value.
  connect(p->keep_proportions, &QCheckBox::clicked, this,
          [this] { SetSelectedCropped(doc_, panel_->cropped->isChecked()); });
  connect(p->delete_button, &QPushButton::clicked, this, [this] {
    DeleteSelected(doc_);
    doc_.set_modified_mark(kMarkChanged);
  });
  connect(p->duplicate_button, &QPushButton::clicked, this, [this] { DuplicateSelected(doc_); });
  p->mask_button->setEnabled(false);
  connect(p->new_project_link, &LinkLabel::clicked, this, &MainWindow::NewProject);
  p->templates_link->setEnabled(false);
  connect(p->open_other_link, &LinkLabel::clicked, this, &MainWindow::Open);
  for (size_t i = 0; i < p->recent_links.size(); ++i) {
    connect(p->recent_links[i], &LinkLabel::clicked, this, [this, i] {
      // The link opens the item now at its position, whatever name it still shows.
      if (panel_->recent_links[i]->text() != Qs(RecentCards::kPlaceholder)) OpenRecent(int(i));
    });
  }
  p->crop_ok->setEnabled(false);
  p->crop_cancel->setEnabled(false);
}

void MainWindow::Enable(const QString& name, bool enabled) {
  if (QAction* a = action(name)) a->setEnabled(enabled && available_.count(name));
}

bool MainWindow::ClipboardHasPicture() const {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  return mime && mime->hasImage();
}

void MainWindow::ApplyEditMenuRule() {
  Enable("N17", doc_.CanUndo());
  Enable("N18", doc_.CanRedo());
  const bool clip = ClipboardHasPicture();
  Enable("N22", clip && doc_.HasCard());
  Enable("N47", clip);
  for (const char* name : {"N20", "N21", "N71", "N98"}) Enable(name, true);
}

void MainWindow::ApplyImageMenuRule() {
  const bool card = doc_.HasCard();
  for (QAction* a : menu("N8")->actions()) {
    if (!a->isSeparator()) Enable(a->objectName(), card);
  }
  if (const Layer* l = doc_.selected_layer()) {
    Enable("N38", l->is_bitmap());
    Enable("N39", l->is_bitmap());
  }
}

void MainWindow::ApplyProcessMenuRule() {
  const Layer* l = doc_.selected_layer();
  const bool on = doc_.HasCard() && (!l || l->is_bitmap());
  for (QAction* a : menu("N40")->actions()) {
    if (!a->isSeparator()) Enable(a->objectName(), on);
  }
}

void MainWindow::ApplySelectionMenuRule() {
  const Layer* l = doc_.selected_layer();
  const QList<QAction*> entries = menu("mnArrange")->actions();
  for (int i = 0; i < entries.size(); ++i) {
    QAction* a = entries[i];
    const bool on = i < kLayerEntries ? (l && l->is_bitmap()) : l != nullptr;
    if (a->menu()) {
      a->setEnabled(on);
      for (QAction* sub : a->menu()->actions()) Enable(sub->objectName(), on);
    } else if (!a->isSeparator()) {
      Enable(a->objectName(), on);
    }
  }
}

void MainWindow::ApplyPopupRule() {
  const Layer* l = doc_.selected_layer();
  const QList<QAction*> entries = menu("LayerPopup")->actions();
  for (int i = 0; i < entries.size(); ++i) {
    QAction* a = entries[i];
    const bool on = i < kLayerEntries ? (l && l->is_bitmap()) : true;
    if (a->menu()) {
      a->setEnabled(on);
      for (QAction* sub : a->menu()->actions()) Enable(sub->objectName(), on);
    } else if (!a->isSeparator()) {
      Enable(a->objectName(), on);
    }
  }
}

void MainWindow::UpdateMenus() {
  const bool card = doc_.HasCard();
  ApplyEditMenuRule();
  ApplyImageMenuRule();
  ApplyProcessMenuRule();
  if (card) ApplySelectionMenuRule();
  Enable("UPL", doc_.selected_layer() != nullptr);
  Enable("DNL", doc_.selected_layer() != nullptr);
  for (const char* name : {"mnFileOpen", "N62", "N70", "N123", "N34", "mnHelpTopics", "mnSupport",
                           "mnSamples", "mnWeb", "BMP1", "JPEG1", "GIF1", "PNG1", "TIFF1", "N15"}) {
    Enable(name, true);
  }
  for (const char* name : {"N1002", "N35", "N102", "N103", "mnAbout", "mnFileNew", "N5"}) {
    Enable(name, true);
  }
}

void MainWindow::SetStatusSize() {
  const Bitmap32& b = doc_.base_image();
  status_[1]->setText(QString("%1x%2").arg(b.width()).arg(b.height()));
}

void MainWindow::OnDocumentChanged() {
  UpdateMenus();
  SetStatusSize();
  panel_->card_section->setVisible(doc_.HasCard());
}

void MainWindow::OnSelectionChanged(SelectionPanel panel) {
  panel_->layer_section->setVisible(panel == SelectionPanel::kLayerProperties);
  panel_->crop_section->setVisible(panel == SelectionPanel::kCropCanvas);
  if (const BitmapLayer* b = doc_.SelectedBitmap()) {
    const QSignalBlocker b1(panel_->layer_opacity), b2(panel_->layer_interpolate),
        b3(panel_->cropped);
    panel_->layer_opacity->setValue(b->opacity());
    panel_->layer_interpolate->setChecked(b->bitmap().stretch_filter() == StretchFilter::kLinear);
    panel_->cropped->setChecked(b->cropped());
  }
}

void MainWindow::NewProject() {
  if (doc_.HasCard() && !ConfirmSave()) return;
  open_name_.clear();
  save_name_.clear();
  if (templates_->exec() != QDialog::Accepted) return;
  doc_.NewCanvas(templates_->ProjectWidth(), templates_->ProjectHeight(), 0xFFFFFFFF);
  doc_.ClearUndo();
  Enable("Save1", true);
  Enable("N3", true);
  panel_->image_section->show();
  panel_->card_section->set_expanded_height(328);
  panel_->card_section->show();
  panel_->start_section->hide();
  FitToWindow();
  status_[0]->setText("New project");
  SetStatusSize();
  UpdateMenus();
}

void MainWindow::AddNewPhoto() {
  const QString path = QFileDialog::getOpenFileName(this, "Add New Photo", QString(), kPhotoFilter);
  if (path.isEmpty()) return;
  const QPoint c = view_->ViewCentre();
  try {
    AddPhotoLayerFromFile(doc_, path.toStdString(), {double(c.x()), double(c.y())});
  } catch (const Error& e) {
    ShowError(QString::fromStdString(e.what()));
  }
}

void MainWindow::ActualSize() {
  view_->SetScale(1.0);
  ShowScale(1.0);
}

void MainWindow::FitToWindow() {
  const double s = view_->FitScale();
  if (s <= 0) return;
  view_->SetScale(s);
}

void MainWindow::ShowScale(double scale) {
  updating_scale_ = true;
  panel_->scale_combo->setEditText(QString::number(RoundHalfEven(scale * 100)) + "%");
  updating_scale_ = false;
}

void MainWindow::OnScaleComboEdited(const QString& text) {
  if (updating_scale_) return;
  QString t = text;
  t.remove('%').remove(' ');
  if (t.isEmpty()) return;
  bool ok = false;
  int n = t.toInt(&ok);
  if (!ok) n = -1;
  if (n >= 1 && n <= 2000) {
    updating_scale_ = true;  // the view reports the new scale; the text stays as typed below
    view_->SetScale(n / 100.0);
    updating_scale_ = false;
  } else {
    n = int(RoundHalfEven(view_->scale() * 100));
  }
  updating_scale_ = true;
  QLineEdit* edit = panel_->scale_combo->lineEdit();
  edit->setText(QString::number(n) + "%");
  edit->setCursorPosition(edit->text().size() - 1);
  updating_scale_ = false;
}

void MainWindow::SetChess(bool chess) {
  BackgroundStyle b = view_->background();
  b.chess = chess;
  view_->SetBackground(b);
  action("N103")->setChecked(chess);
}

void MainWindow::SelectBackgroundColour() {
  const Color32 c = view_->background().colour;
  const QColor chosen = QColorDialog::getColor(QColor::fromRgb(c), this, "Color");
  if (!chosen.isValid()) return;
  view_->SetBackground({false, 0xFF000000u | chosen.rgb()});
  action("N103")->setChecked(false);
}

void MainWindow::Reorder(int command) { ReorderSelected(doc_, command); }

void MainWindow::ShowAbout() {
  QMessageBox::about(this, "About Velmora",
                     "<b>Velmora</b><br>Greeting cards from your photos: layers, captions, "
                     "frames, effects and printing.");
}

void MainWindow::ShowError(const QString& message) {
  QMessageBox::critical(this, "Velmora", message);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Every time the window becomes active (also when a dialog closes) the crop proportions go
  // back to "Free".
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    panel_->crop_ratios->setCurrentIndex(0);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (doc_.HasCard() && !ConfirmSave()) {
    event->ignore();
    return;
  }
  WriteSettings();
  doc_.ResetDocument();
  doc_.MutableBaseImage().SetSize(0, 0);
  event->accept();
}

}  // namespace velmora
