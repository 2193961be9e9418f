#include "platform/window_base.h"

#include <algorithm>

namespace platform {
namespace {

std::vector<WindowBase*>& Registry() {
  static std::vector<WindowBase*> windows;
  return windows;
}

}  // namespace

WindowBase::~WindowBase() {
  Unregister();
}

void WindowBase::Register() {
  Registry().push_back(this);
}

void WindowBase::Unregister() {
  auto& windows = Registry();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

int WindowBase::Run() {
  handler_.OnInit(*this);
  if (!ended_) {
    Register();
    ShowNative();
    if (!ended_) RunLoop();
  }
  HideNative();
  Unregister();
  return result_;
}

void WindowBase::End(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
  // Hidden at once: a loop nested inside this one may still run for a while.
  HideNative();
  Unregister();
  WakeLoop();
}

void WindowBase::DeliverCommand(int id, int notification) {
  if (!ended_) handler_.OnCommand(*this, id, notification);
}

void WindowBase::DeliverCloseRequest() {
  if (!ended_) handler_.OnCloseRequest(*this);
}

// The focus is noted as it leaves and given back on return: a system that moves it meanwhile (a
// window opened and closed, a click elsewhere) does not leave the user somewhere else.
void WindowBase::DeliverActivate(bool active) {
  if (ended_) return;
  if (!active && !inactive_) {
    focusAtDeactivation_ = NativeFocus();
    inactive_ = true;
  } else if (active && inactive_) {
    inactive_ = false;
    if (focusAtDeactivation_ != 0) GiveNativeFocus(focusAtDeactivation_);
  }
  handler_.OnActivate(*this, active);
}

void WindowBase::DeliverViewMouse(int viewId, const MouseEvent& event) {
  if (!ended_) handler_.OnViewMouse(*this, viewId, event);
}

void WindowBase::DeliverViewKey(int viewId, const ViewKeyEvent& event) {
  if (!ended_) handler_.OnViewKey(*this, viewId, event);
}

int WindowBase::FocusedControl() const {
  return inactive_ ? focusAtDeactivation_ : NativeFocus();
}

const std::vector<WindowBase*>& OpenWindows() {
  return Registry();
}

WindowBase& AsBase(Window& window) {
  return static_cast<WindowBase&>(window);
}

const WindowBase& AsBase(const Window& window) {
  return static_cast<const WindowBase&>(window);
}

}  // namespace platform
