// The Qt side of platform::Window: the top-level widget, the graphic view and the window object that
// owns them. Automation reaches the widgets through here.
#pragma once

#include <QComboBox>
#include <QEventLoop>
#include <QFrame>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/image.h"
#include "platform/window.h"
#include "platform/window_base.h"

class QAction;
class QLabel;
class QMenuBar;

namespace platform::qt {

class QtWindow;

// The top-level widget. The window manager's close request and activation changes go to the handler;
// nothing here closes the window by itself (no close box default). Enter and Escape that no control
// took reach the window's accept and cancel buttons, where it has them.
class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(QtWindow& owner);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QtWindow& owner_;
};

// A push button that Enter and the keypad's Enter press while it has the focus, as in every desktop
// dialog (Space presses it too). No button is a default button: Enter elsewhere does nothing.
class PushButton : public QPushButton {
 public:
  PushButton(const QString& text, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The strip along a window's bottom edge: one sunken field across it that holds the bar's text.
class StatusBar : public QWidget {
 public:
  explicit StatusBar(QWidget* parent);
  void SetText(const QString& text);
  QString Text() const;
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* field_;
};

// A bordered picture showing its surface. Mouse messages on the surface reach the hook before the
// frame's own handling. Given cells, it takes the keyboard focus and hands its keys to the key hook.
class GraphicView : public QFrame {
 public:
  using MouseHook = std::function<void(const MouseEvent&)>;
  using KeyHook = std::function<void(const ViewKeyEvent&)>;
  GraphicView(QWidget* parent, int width, int height, MouseHook hook);

  Image& Surface() { return surface_; }
  // Copies `image` at the surface's origin, clipped, and repaints.
  void Show(const Image& image);

  void SetCells(const ViewCells& cells, KeyHook keyHook);
  const ViewCells* Cells() const { return cells_; }
  // Where the focus mark stands in the widget, when it is shown.
  std::optional<QRect> FocusMark() const;
  // The cells' rectangle in the widget's coordinates.
  QRect CellRect(const ViewCell& cell) const;
  void FocusMoved();
  void CellChanged(int cellIndex);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ReportMouse(const QEvent& event);

  Image surface_;
  MouseHook hook_;
  KeyHook keyHook_;
  const ViewCells* cells_ = nullptr;
  bool pressUnreleased_ = false;
};

// Lets assistive technology read every view that has cells as a table (made when it first asks).
void InstallViewAccessibility();
// Tells assistive technology that the view's focused cell moved, or that a cell's checked state changed.
void AnnounceFocusedCell(GraphicView& view);
void AnnounceCheckedChange(GraphicView& view, int cellIndex);

// Drop-down combo with an edit field, as the classic control behaves: items kept sorted, and text typed
// into the field is never taken as a selection, even when it equals an item.
class EditCombo : public QComboBox {
 public:
  EditCombo(QWidget* parent, std::function<void(int notification)> notify);

  void AddSorted(const QString& text);
  int SelectedPosition() const { return typed_ ? -1 : currentIndex(); }
  void SelectPosition(int position);
  void ClearAll();

 private:
  std::function<void(int)> notify_;
  bool typed_ = false;
  bool finishingEdit_ = false;  // the combo's own reaction to a finished edit is not a user's choice
};

class QtWindow final : public WindowBase {
 public:
  QtWindow(const WindowSpec& spec, const std::vector<ControlSpec>& controls, const std::vector<Menu>& menus,
           WindowHandler& handler);
  ~QtWindow() override;

  void SetCaption(const std::string& caption) override;
  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void SetEnabled(int id, bool enabled) override;
  bool Checked(int id) const override;
  void ClearItems(int id) override;
  void AddItem(int id, const std::string& text) override;
  void AddImageItem(int id, const std::string& text, const std::string& resourceName) override;
  int SelectedPosition(int id) const override;
  void Select(int id, int position) override;
  Image& ViewSurface(int viewId) override;
  void ShowImage(int viewId, const Image& image) override;
  void RepaintView(int viewId) override;
  void SetViewCells(int viewId, const ViewCells& cells) override;
  void ViewFocusMoved(int viewId) override;
  void ViewCellChanged(int viewId, int cellIndex) override;
  void EnableMenuItem(int id, bool enabled) override;
  int ScreenX() const override;
  int ScreenY() const override;

  // What automation reads.
  std::string Caption() const;
  bool Enabled(int id) const;
  std::vector<std::string> ItemTexts(int id) const;
  bool MenuItemEnabled(int id) const;

  // Enter or Escape that no control took; true when a button of the window answered it.
  bool PressDialogKey(bool escape);

  WindowWidget& Widget() const { return *widget_; }
  QWidget* Control(int id) const;
  GraphicView* View(int id) const;
  QMenuBar* MenuBar() const { return menuBar_; }
  QAction* MenuAction(int id) const;
  // Pixels taken by the menu bar at the top of the client area.
  int MenuBarHeight() const;

 protected:
  void ShowNative() override;
  void HideNative() override;
  void RunLoop() override;
  void WakeLoop() override;
  int NativeFocus() const override;
  void GiveNativeFocus(int id) override;

 private:
  void CreateControls(const WindowSpec& spec, const std::vector<ControlSpec>& controls);
  void CreateMenus(const std::vector<Menu>& menus);
  void Place(const WindowSpec& spec);
  template <typename T>
  T* ControlAs(int id) const {
    return dynamic_cast<T*>(Control(id));
  }

  WindowWidget* widget_;  // owned; deleted with the window
  QMenuBar* menuBar_ = nullptr;
  std::map<int, QWidget*> controls_;
  std::map<int, QAction*> menuActions_;
  QEventLoop* loop_ = nullptr;  // while the window's loop runs
  int acceptButton_ = 0;  // pressed by Enter where no push button has the focus
  int cancelButton_ = 0;  // pressed by Escape
  Image noSurface_;             // returned for an unknown view id
};

QtWindow& AsQt(Window& window);
const QtWindow& AsQt(const Window& window);

// Creates the widget for one control; signals reach `window`.
QWidget* CreateControl(QtWindow& window, QWidget* parent, const ControlSpec& spec, const QFont& font,
                       const QRect& rect);

}  // namespace platform::qt
