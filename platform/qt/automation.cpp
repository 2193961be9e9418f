// Drives the real widgets as a user would; each queued step runs from a timer shot.
#include "platform/automation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <cmath>

#include "platform/automation_steps.h"
#include "platform/display_scale.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_window.h"

namespace platform::automation {
namespace {

constexpr int kBorderWidth = 1;  // of a graphic view
// A window nobody sees, to take the activation from the program's windows.
constexpr int kSinkSize = 1;
constexpr int kSinkPosition = -100;

// Processes pending events for an action without letting the next step start early inside it.
void ProcessEventsOfThisStep() {
  const steps::Hold hold;
  QApplication::processEvents();
}

QWidget& ActivationSink() {
  static QWidget* sink = [] {
    auto* widget = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
    widget->setGeometry(kSinkPosition, kSinkPosition, kSinkSize, kSinkSize);
    return widget;
  }();
  return *sink;
}

// Whether a modal window keeps the user from the window of `target`, as the toolkit would.
bool Blocked(const QWidget& target) {
  const QWidget* window = target.window();
  for (const QWidget* top : QApplication::topLevelWidgets()) {
    if (top == window || !top->isVisible()) continue;
    if (top->windowModality() == Qt::ApplicationModal) return true;
    const QWidget* owner = top->parentWidget();
    if (top->windowModality() == Qt::WindowModal && owner && owner->window() == window) return true;
  }
  return false;
}

// The control a user could act on now: it exists, is enabled and no modal window is in the way.
template <typename T>
T* Reachable(Window& window, int id) {
  auto* control = dynamic_cast<T*>(qt::AsQt(window).Control(id));
  return control && control->isEnabled() && !Blocked(*control) ? control : nullptr;
}

std::string Plain(const QString& text) {
  return QString(text).remove(QLatin1Char('&')).toStdString();
}

Colour FromQColor(const QColor& colour) {
  return MakeColour(colour.red(), colour.green(), colour.blue());
}
QColor ToQColor(Colour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QEvent::Type EventTypeOf(MouseKind kind) {
  switch (kind) {
    case MouseKind::kLeftDown:
    case MouseKind::kRightDown:
      return QEvent::MouseButtonPress;
    case MouseKind::kLeftUp:
    case MouseKind::kRightUp:
      return QEvent::MouseButtonRelease;
    case MouseKind::kMove:
      break;
  }
  return QEvent::MouseMove;
}

Qt::MouseButton ButtonOf(MouseKind kind) {
  if (kind == MouseKind::kMove) return Qt::NoButton;
  return kind == MouseKind::kRightDown || kind == MouseKind::kRightUp ? Qt::RightButton : Qt::LeftButton;
}

// The buttons held once the event has happened.
Qt::MouseButtons ButtonsAfter(MouseKind kind) {
  const bool held = kind == MouseKind::kLeftDown || kind == MouseKind::kRightDown;
  return held ? Qt::MouseButtons(ButtonOf(kind)) : Qt::MouseButtons(Qt::NoButton);
}

void SendMouse(qt::GraphicView& view, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x,
               int y) {
  const QPointF local(x + kBorderWidth, y + kBorderWidth);
  QMouseEvent event(type, local, view.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&view, &event);
}

SeenMessageBox Describe(const qt::MessageBoxWindow& box) {
  SeenMessageBox seen;
  seen.text = box.GivenText();
  seen.caption = box.windowTitle().toStdString();
  // The box draws no picture of its own beside the text (the only other child is the text's label).
  seen.hasIcon = box.findChildren<QLabel*>().size() != 1;
  for (const QPushButton* button : box.Buttons()) {
    seen.buttons.push_back(Plain(button->text()));
    seen.hasIcon = seen.hasIcon || !button->icon().isNull();
    if (box.focusWidget() == button) seen.focusedButton = Plain(button->text());
  }
  seen.closeBox = box.windowFlags().testFlag(Qt::WindowCloseButtonHint);
  return seen;
}

int QtKey(Key key) {
  switch (key) {
    case Key::kEnter:
      return Qt::Key_Return;
    case Key::kKeypadEnter:
      return Qt::Key_Enter;
    case Key::kEscape:
      return Qt::Key_Escape;
    case Key::kTab:
      return Qt::Key_Tab;
    case Key::kLeft:
      return Qt::Key_Left;
    case Key::kRight:
      return Qt::Key_Right;
    case Key::kUp:
      return Qt::Key_Up;
    case Key::kDown:
      return Qt::Key_Down;
    case Key::kHome:
      return Qt::Key_Home;
    case Key::kEnd:
      return Qt::Key_End;
    case Key::kSpace:
      break;
  }
  return Qt::Key_Space;
}

// The text a key types, which Qt's key events carry as the keyboard gives it.
QString TextOf(Key key, Modifier modifier) {
  if (modifier != Modifier::kNone) return {};
  if (key == Key::kSpace) return QStringLiteral(" ");
  if (key == Key::kEnter || key == Key::kKeypadEnter) return QStringLiteral("\r");
  return {};
}

// A press and a release, as the keyboard sends them, to the focused widget of `window` (or the window).
void SendKey(QWidget& window, Key key, Modifier modifier = Modifier::kNone) {
  QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
  Qt::KeyboardModifiers modifiers = key == Key::kKeypadEnter ? Qt::KeypadModifier : Qt::NoModifier;
  if (modifier == Modifier::kControl) modifiers |= Qt::ControlModifier;
  QKeyEvent press(QEvent::KeyPress, QtKey(key), modifiers, TextOf(key, modifier));
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, QtKey(key), modifiers, TextOf(key, modifier));
  QApplication::sendEvent(target->isVisible() ? target : &window, &release);
}

TextFit LabelFit(const QLabel& label) {
  const QRect room = label.contentsRect();
  const int flags = Qt::TextWordWrap | static_cast<int>(label.alignment());
  const QRect text =
      label.fontMetrics().boundingRect(QRect(0, 0, room.width(), label.height()), flags, label.text());
  return {text.width(), text.height(), label.width(), label.height()};
}

TextFit ButtonFit(const QAbstractButton& button, QStyle::SubElement contents) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect room = button.style()->subElementRect(contents, &option, &button);
  const QFontMetrics metrics = button.fontMetrics();
  const int roomWidth = contents == QStyle::SE_CheckBoxContents ? button.width() - room.x() : room.width();
  return {metrics.horizontalAdvance(button.text()), metrics.height(), roomWidth, room.height()};
}

}  // namespace

void steps::PostTurn(int delayMs) {
  QTimer::singleShot(delayMs, [] { steps::RunNext(); });
}

std::string Caption(const Window& window) {
  return qt::AsQt(window).Caption();
}

bool ControlEnabled(const Window& window, int id) {
  return qt::AsQt(window).Enabled(id);
}

std::vector<std::string> ItemTexts(const Window& window, int id) {
  return qt::AsQt(window).ItemTexts(id);
}

bool MenuItemEnabled(const Window& window, int id) {
  return qt::AsQt(window).MenuItemEnabled(id);
}

void Click(Window& window, int id) {
  if (auto* button = Reachable<QAbstractButton>(window, id)) button->click();
}

void ChooseItem(Window& window, int id, int position) {
  auto* combo = Reachable<QComboBox>(window, id);
  if (!combo || position < 0 || position >= combo->count()) return;
  combo->setCurrentIndex(position);
  emit combo->activated(position);
}

void TypeText(Window& window, int id, const std::string& text) {
  QLineEdit* edit = Reachable<QLineEdit>(window, id);
  if (auto* combo = Reachable<QComboBox>(window, id)) edit = combo->lineEdit();
  if (!edit) return;
  // Editing calls, unlike setText, count as the user's typing (textEdited).
  edit->selectAll();
  if (text.empty()) {
    edit->del();
  } else {
    edit->insert(QString::fromStdString(text));
  }
}

void InvokeMenu(Window& window, int id) {
  QAction* action = qt::AsQt(window).MenuAction(id);
  if (action && !Blocked(qt::AsQt(window).Widget())) action->trigger();  // does nothing when greyed
}

void Mouse(Window& window, int viewId, MouseKind kind, int x, int y) {
  qt::GraphicView* view = Reachable<qt::GraphicView>(window, viewId);
  if (view) SendMouse(*view, EventTypeOf(kind), ButtonOf(kind), ButtonsAfter(kind), x, y);
}

// What the toolkit delivers for a double click: press, release, double click, release.
void DoubleClick(Window& window, int viewId, int x, int y) {
  qt::GraphicView* view = Reachable<qt::GraphicView>(window, viewId);
  if (!view) return;
  for (const QEvent::Type press : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
    SendMouse(*view, press, Qt::LeftButton, Qt::LeftButton, x, y);
    SendMouse(*view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, x, y);
  }
}

void RequestClose(Window& window) {
  qt::AsQt(window).Widget().close();
}

void PressKey(Window& window, Key key, Modifier modifier) {
  QWidget& widget = qt::AsQt(window).Widget();
  if (!Blocked(widget)) SendKey(widget, key, modifier);
}

void Deactivate(Window& window) {
  (void)window;
  QWidget& sink = ActivationSink();
  sink.show();
  sink.activateWindow();
  ProcessEventsOfThisStep();
}

void Activate(Window& window) {
  QWidget& widget = qt::AsQt(window).Widget();
  ActivationSink().hide();
  widget.activateWindow();
  ProcessEventsOfThisStep();
}

bool SaveWindowPicture(const Window& window, const std::string& path) {
  return qt::AsQt(window).Widget().grab().save(QString::fromStdString(path), "PNG");
}

std::vector<Menu> MenuBar(const Window& window) {
  std::vector<Menu> menus;
  const QMenuBar* bar = qt::AsQt(window).MenuBar();
  if (!bar) return menus;
  for (const QAction* barEntry : bar->actions()) {
    const QMenu* popup = barEntry->menu();
    if (!popup) continue;
    Menu menu{popup->title().toStdString(), {}};
    for (const QAction* action : popup->actions()) {
      if (action->isSeparator()) {
        menu.items.push_back({0, "-"});
      } else {
        menu.items.push_back({action->data().toInt(), action->text().toStdString()});
      }
    }
    menus.push_back(std::move(menu));
  }
  return menus;
}

Colour ViewPixel(Window& window, int viewId, int x, int y) {
  return window.ViewSurface(viewId).Pixel(x, y);
}

Geometry ClientGeometry(const Window& window) {
  const QRect client = qt::AsQt(window).Widget().geometry();
  return {client.x(), client.y(), client.width(), client.height()};
}

Geometry ControlGeometry(const Window& window, int id) {
  const qt::QtWindow& native = qt::AsQt(window);
  const QWidget* control = native.Control(id);
  if (!control) return {};
  const QRect rect = control->geometry();
  return {rect.x(), rect.y() - native.MenuBarHeight(), rect.width(), rect.height()};
}

// The toolkit scales every window by the display's device pixel ratio.
int WindowDpi(const Window& window) {
  return static_cast<int>(std::lround(kBaseDpi * qt::AsQt(window).Widget().devicePixelRatioF()));
}

Geometry ScreenClientGeometry(const Window& window) {
  const Geometry client = ClientGeometry(window);
  const int dpi = WindowDpi(window);
  return {ToDisplayPixels(client.x, dpi), ToDisplayPixels(client.y, dpi), ToDisplayPixels(client.width, dpi),
          ToDisplayPixels(client.height, dpi)};
}

// The picture starts inside the border: a display pixel there is a fraction of the widget's pixels.
void MouseAtScreenPixel(Window& window, int viewId, MouseKind kind, int x, int y) {
  qt::GraphicView* view = Reachable<qt::GraphicView>(window, viewId);
  if (!view) return;
  const double ratio = view->devicePixelRatioF();
  const QPointF local(x / ratio + kBorderWidth, y / ratio + kBorderWidth);
  QMouseEvent event(EventTypeOf(kind), local, view->mapToGlobal(local), ButtonOf(kind), ButtonsAfter(kind),
                    Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

Image ScreenViewPicture(Window& window, int viewId) {
  qt::GraphicView* view = qt::AsQt(window).View(viewId);
  if (view == nullptr) return {};
  const Image& surface = view->Surface();
  // What the view paints, border left out.
  const QImage shown = view->grab(QRect(kBorderWidth, kBorderWidth, surface.Width(), surface.Height()))
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
  Image picture(shown.width(), shown.height());
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb pixel = shown.pixel(x, y);
      picture.SetPixel(x, y, MakeColour(qRed(pixel), qGreen(pixel), qBlue(pixel)));
    }
  }
  return picture;
}

Frame WindowFrame(const Window& window) {
  const QWidget& widget = qt::AsQt(window).Widget();
  const Qt::WindowFlags flags = widget.windowFlags();
  Frame frame;
  frame.closeBox = flags.testFlag(Qt::WindowCloseButtonHint);
  frame.minimiseBox = flags.testFlag(Qt::WindowMinimizeButtonHint);
  frame.maximiseBox = flags.testFlag(Qt::WindowMaximizeButtonHint);
  frame.resizable = widget.minimumSize() != widget.maximumSize();
  return frame;
}

TextFit ControlTextFit(const Window& window, int id) {
  const QWidget* control = qt::AsQt(window).Control(id);
  if (const auto* label = dynamic_cast<const QLabel*>(control)) return LabelFit(*label);
  if (const auto* box = dynamic_cast<const QCheckBox*>(control))
    return ButtonFit(*box, QStyle::SE_CheckBoxContents);
  if (const auto* button = dynamic_cast<const QPushButton*>(control))
    return ButtonFit(*button, QStyle::SE_PushButtonContents);
  return {};
}

std::optional<SeenMessageBox> OpenMessageBox() {
  const qt::MessageBoxWindow* box = qt::OpenMessageBoxWindow();
  if (!box) return std::nullopt;
  return Describe(*box);
}

std::optional<SeenMessageBox> AnswerMessageBox(MessageAnswer answer) {
  qt::MessageBoxWindow* box = qt::OpenMessageBoxWindow();
  if (!box) return std::nullopt;
  QPushButton* button = box->ButtonFor(answer);
  if (!button) return std::nullopt;
  SeenMessageBox seen = Describe(*box);
  button->click();
  return seen;
}

bool PressMessageBoxKey(Key key) {
  qt::MessageBoxWindow* box = qt::OpenMessageBoxWindow();
  if (!box) return false;
  SendKey(*box, key);
  return true;
}

bool RequestMessageBoxClose() {
  qt::MessageBoxWindow* box = qt::OpenMessageBoxWindow();
  if (!box) return false;
  box->close();
  return true;
}

bool SaveMessageBoxPicture(const std::string& path) {
  qt::MessageBoxWindow* box = qt::OpenMessageBoxWindow();
  return box && box->grab().save(QString::fromStdString(path), "PNG");
}

std::optional<SeenChooser> OpenColourChooser() {
  const QColorDialog* dialog = qt::OpenQColorDialog();
  if (!dialog) return std::nullopt;
  SeenChooser seen{FromQColor(qt::ChooserInitialColour(*dialog)), dialog->pos().x(), dialog->pos().y(),
                   dialog->windowTitle().toStdString(), {}};
  for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->isVisibleTo(dialog)) seen.buttons.push_back(button->text().remove(QLatin1Char('&')).toStdString());
  }
  return seen;
}

bool AnswerColourChooser(std::optional<Colour> colour) {
  QColorDialog* dialog = qt::OpenQColorDialog();
  if (!dialog) return false;
  if (colour) {
    dialog->setCurrentColor(ToQColor(*colour));
    dialog->accept();
  } else {
    dialog->reject();
  }
  return true;
}

}  // namespace platform::automation
