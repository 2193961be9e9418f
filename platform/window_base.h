// What every backend's window does alike, written once: the list of open windows, the run until End,
// the guard that keeps an ended window's handler from hearing anything more, and the keyboard focus
// kept across deactivation. A backend's window derives from this and supplies only its native calls.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform {

class WindowBase : public Window {
 public:
  explicit WindowBase(WindowHandler& handler) : handler_(handler) {}
  ~WindowBase() override;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // OnInit; then, unless End was called there, shows the window and runs its loop until End. Returns
  // End's value once the loops nested inside this one have ended too.
  int Run();
  void End(int result) final;
  bool Ended() const { return ended_; }

  // The backend's native events, passed on to the handler while the window has not ended: input queued
  // before End, or arriving while a loop nested inside this one still runs, is dropped here.
  void DeliverCommand(int id, int notification);
  void DeliverCloseRequest();
  void DeliverActivate(bool active);
  void DeliverViewMouse(int viewId, const MouseEvent& event);
  void DeliverViewKey(int viewId, const ViewKeyEvent& event);

  // The control with the keyboard focus; while the window is inactive, the one that gets it back on
  // activation. 0 when none.
  int FocusedControl() const;
  // Gives a control the keyboard focus. An inactive window gets back the control it had when it lost
  // the activation, whatever was given meanwhile.
  void Focus(int id) { GiveNativeFocus(id); }

 protected:
  // Shows and activates the window, the keyboard focus on its first control.
  virtual void ShowNative() = 0;
  virtual void HideNative() = 0;
  // Runs the native event loop until the window has ended; WakeLoop is called once End has been, so
  // that a loop waiting for events looks again.
  virtual void RunLoop() = 0;
  virtual void WakeLoop() = 0;
  // The control of this window that has the native keyboard focus, 0 when none has it.
  virtual int NativeFocus() const = 0;
  virtual void GiveNativeFocus(int id) = 0;

 private:
  void Register();
  void Unregister();

  WindowHandler& handler_;
  int result_ = 0;
  bool ended_ = false;
  bool inactive_ = false;  // deactivated and not yet activated again
  int focusAtDeactivation_ = 0;
};

// Windows whose loop runs, in the order they were shown. An ended window leaves at once.
const std::vector<WindowBase*>& OpenWindows();
WindowBase& AsBase(Window& window);
const WindowBase& AsBase(const Window& window);

}  // namespace platform
