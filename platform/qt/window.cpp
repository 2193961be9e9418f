// Windows from tables of controls, each run in an event loop of its own. The loops nest, and no window
// is modal to the others: every open window stays usable, as the program's ownerless dialogs need.
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "platform/qt/fonts.h"
#include "platform/qt/frame_hints.h"
#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

Qt::WindowFlags FlagsFor(const WindowSpec& spec) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (spec.minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
  if (spec.closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return flags;
}

QFont FontFor(const FontSpec& font, const FontSpec& windowFont) {
  return MakeQFont(font.name ? font : windowFont);
}

int IdOf(const QWidget& widget) {
  bool ok = false;
  const int id = widget.objectName().toInt(&ok);
  return ok ? id : 0;
}

}  // namespace

WindowWidget::WindowWidget(QtWindow& owner) : owner_(owner) {}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The handler decides; the window closes only through End.
  event->ignore();
  owner_.DeliverCloseRequest();
}

void WindowWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) owner_.DeliverActivate(isActiveWindow());
  QWidget::changeEvent(event);
}

// A text box leaves Enter and Escape to its window; a focused push button takes Enter itself.
void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (event->modifiers() & ~Qt::KeypadModifier || !(enter || key == Qt::Key_Escape) ||
      !owner_.PressDialogKey(key == Qt::Key_Escape)) {
    QWidget::keyPressEvent(event);
  }
}

QtWindow::QtWindow(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
                   const std::vector<Menu>& menus, WindowHandler& handler)
    : WindowBase(handler),
      widget_(new WindowWidget(*this)),
      acceptButton_(spec.acceptButton),
      cancelButton_(spec.cancelButton) {
  widget_->setWindowFlags(FlagsFor(spec));
  AskForFrame(*widget_, {spec.minimiseBox, spec.closeBox});
  widget_->setWindowTitle(QString::fromStdString(spec.caption));
  widget_->setFont(MakeQFont(spec.font));
  widget_->setFixedSize(PixelsAcross(spec.units, spec.clientWidth),
                        PixelsDown(spec.units, spec.clientHeight));
  CreateMenus(menus);
  CreateControls(spec, controls);
  Place(spec);
}

QtWindow::~QtWindow() {
  delete widget_;
}

void QtWindow::CreateControls(const WindowSpec& spec, const std::vector<ControlSpec>& controls) {
  const int top = MenuBarHeight();
  for (const ControlSpec& control : controls) {
    const QRect rect(PixelsAcross(spec.units, control.x), PixelsDown(spec.units, control.y) + top,
                     PixelsAcross(spec.units, control.width), PixelsDown(spec.units, control.height));
    controls_[control.id] = CreateControl(*this, widget_, control, FontFor(control.font, spec.font), rect);
  }
}

void QtWindow::Place(const WindowSpec& spec) {
  if (spec.placement == Placement::kAt) {
    widget_->move(PixelsAcross(spec.units, spec.x), PixelsDown(spec.units, spec.y));
    return;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area =
      spec.placement == Placement::kWorkAreaCentre ? screen->availableGeometry() : screen->geometry();
  widget_->move(area.x() + (area.width() - widget_->width()) / 2,
                area.y() + (area.height() - widget_->height()) / 2);
}

void QtWindow::ShowNative() {
  widget_->show();
  // The first control in tab order holds the keyboard focus from the start, as on Windows, so that
  // typing reaches the file-name dialog's name box before the window manager reports the activation.
  for (QWidget* next = widget_->nextInFocusChain(); next != widget_; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(widget_)) {
      next->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  widget_->activateWindow();
}

void QtWindow::HideNative() {
  widget_->hide();
}

void QtWindow::RunLoop() {
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void QtWindow::WakeLoop() {
  if (loop_) loop_->quit();
}

bool QtWindow::PressDialogKey(bool escape) {
  auto* button = ControlAs<QAbstractButton>(escape ? cancelButton_ : acceptButton_);
  if (Ended() || button == nullptr) return false;
  button->click();  // a disabled button does nothing, as under the mouse
  return true;
}

std::string QtWindow::Caption() const {
  return widget_->windowTitle().toStdString();
}

void QtWindow::SetCaption(const std::string& caption) {
  widget_->setWindowTitle(QString::fromStdString(caption));
}

QWidget* QtWindow::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

GraphicView* QtWindow::View(int id) const {
  return ControlAs<GraphicView>(id);
}

void QtWindow::SetText(int id, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (auto* label = ControlAs<QLabel>(id)) label->setText(value);
  if (auto* button = ControlAs<QAbstractButton>(id)) button->setText(value);
  if (auto* edit = ControlAs<QLineEdit>(id)) edit->setText(value);
  if (auto* combo = ControlAs<QComboBox>(id); combo && combo->isEditable()) combo->setEditText(value);
  if (auto* bar = ControlAs<StatusBar>(id)) bar->SetText(value);
}

std::string QtWindow::Text(int id) const {
  if (auto* label = ControlAs<QLabel>(id)) return label->text().toStdString();
  if (auto* button = ControlAs<QAbstractButton>(id)) return button->text().toStdString();
  if (auto* edit = ControlAs<QLineEdit>(id)) return edit->text().toStdString();
  if (auto* combo = ControlAs<QComboBox>(id)) return combo->currentText().toStdString();
  if (auto* bar = ControlAs<StatusBar>(id)) return bar->Text().toStdString();
  return {};
}

void QtWindow::SetEnabled(int id, bool enabled) {
  if (QWidget* control = Control(id)) control->setEnabled(enabled);
}

bool QtWindow::Enabled(int id) const {
  const QWidget* control = Control(id);
  return control && control->isEnabled();
}

bool QtWindow::Checked(int id) const {
  const auto* box = ControlAs<QCheckBox>(id);
  return box && box->isChecked();
}

void QtWindow::ClearItems(int id) {
  if (auto* editCombo = ControlAs<EditCombo>(id)) {
    editCombo->ClearAll();
  } else if (auto* combo = ControlAs<QComboBox>(id)) {
    const QSignalBlocker blocker(combo);
    combo->clear();
  }
}

void QtWindow::AddItem(int id, const std::string& text) {
  AddImageItem(id, text, std::string());
}

void QtWindow::AddImageItem(int id, const std::string& text, const std::string& resourceName) {
  if (auto* editCombo = ControlAs<EditCombo>(id)) {
    editCombo->AddSorted(QString::fromStdString(text));
    return;
  }
  auto* combo = ControlAs<QComboBox>(id);
  if (!combo) return;
  // "#300" names the bitmap resource 300; a missing picture leaves the item without one.
  QIcon icon;
  if (resourceName.size() > 1 && resourceName[0] == '#') {
    const QPixmap picture(
        QStringLiteral(":/resources/flags/%1.bmp").arg(QString::fromStdString(resourceName.substr(1))));
    if (!picture.isNull()) icon = QIcon(picture);
  }
  const int selected = combo->currentIndex();
  const QSignalBlocker blocker(combo);
  combo->addItem(icon, QString::fromStdString(text));
  // Qt selects the first item put into an empty box; the classic control selects nothing.
  combo->setCurrentIndex(selected);
}

std::vector<std::string> QtWindow::ItemTexts(int id) const {
  std::vector<std::string> items;
  if (const auto* combo = ControlAs<QComboBox>(id)) {
    for (int position = 0; position < combo->count(); ++position)
      items.push_back(combo->itemText(position).toStdString());
  }
  return items;
}

int QtWindow::SelectedPosition(int id) const {
  if (const auto* editCombo = ControlAs<EditCombo>(id)) return editCombo->SelectedPosition();
  const auto* combo = ControlAs<QComboBox>(id);
  return combo ? combo->currentIndex() : -1;
}

void QtWindow::Select(int id, int position) {
  if (auto* editCombo = ControlAs<EditCombo>(id)) {
    editCombo->SelectPosition(position);
  } else if (auto* combo = ControlAs<QComboBox>(id)) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
  }
}

Image& QtWindow::ViewSurface(int viewId) {
  GraphicView* view = View(viewId);
  return view ? view->Surface() : noSurface_;
}

void QtWindow::ShowImage(int viewId, const Image& image) {
  if (GraphicView* view = View(viewId)) view->Show(image);
}

void QtWindow::RepaintView(int viewId) {
  if (GraphicView* view = View(viewId)) view->update();
}

void QtWindow::SetViewCells(int viewId, const ViewCells& cells) {
  if (GraphicView* view = View(viewId))
    view->SetCells(cells, [this, viewId](const ViewKeyEvent& event) { DeliverViewKey(viewId, event); });
}

void QtWindow::ViewFocusMoved(int viewId) {
  if (GraphicView* view = View(viewId)) view->FocusMoved();
}

void QtWindow::ViewCellChanged(int viewId, int cellIndex) {
  if (GraphicView* view = View(viewId)) view->CellChanged(cellIndex);
}

int QtWindow::NativeFocus() const {
  // The window's focus child, also while the window is inactive, mapped to the control that holds it
  // (a combo box's edit field counts as the combo box).
  for (const QWidget* focus = widget_->focusWidget(); focus && focus != widget_;
       focus = focus->parentWidget()) {
    if (const int id = IdOf(*focus); id != 0 && Control(id) == focus) return id;
  }
  return 0;
}

void QtWindow::GiveNativeFocus(int id) {
  if (QWidget* control = Control(id)) control->setFocus(Qt::OtherFocusReason);
}

int QtWindow::ScreenX() const {
  return widget_->pos().x();
}
int QtWindow::ScreenY() const {
  return widget_->pos().y();
}

QtWindow& AsQt(Window& window) {
  return static_cast<QtWindow&>(window);
}
const QtWindow& AsQt(const Window& window) {
  return static_cast<const QtWindow&>(window);
}

}  // namespace platform::qt

namespace platform {

int Window::RunModal(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
                     const std::vector<Menu>& menus, WindowHandler& handler) {
  qt::QtWindow window(spec, controls, menus, handler);
  return window.Run();
}

}  // namespace platform
