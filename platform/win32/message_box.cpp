// Message boxes without an owner and without an icon. Without an owner the box disables no window, so
// every other window stays usable while it waits in its own loop.
#include "platform/message_box.h"

#include <windows.h>

#include "platform/win32/message_boxes.h"
#include "platform/windows/unicode.h"

namespace platform {
namespace win32 {
namespace {

std::vector<OpenBox>& Boxes() {
  static std::vector<OpenBox> boxes;
  return boxes;
}

HHOOK& CreationHook() {
  static HHOOK hook = nullptr;
  return hook;
}

// The box is the first dialog created once MessageBoxW has been called: it gets its handle.
LRESULT CALLBACK NoteCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !Boxes().empty() && Boxes().back().handle == nullptr) {
    wchar_t className[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
    if (std::wstring(className) == L"#32770") Boxes().back().handle = reinterpret_cast<HWND>(wParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

const OpenBox* NewestOpenBox() {
  for (auto box = Boxes().rbegin(); box != Boxes().rend(); ++box) {
    if (box->handle != nullptr && IsWindowVisible(box->handle)) return &*box;
  }
  return nullptr;
}

}  // namespace win32

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons) {
  win32::Boxes().push_back(win32::OpenBox{nullptr, text});
  const bool hooking = win32::CreationHook() == nullptr;
  if (hooking) {
    win32::CreationHook() = SetWindowsHookExW(WH_CBT, &win32::NoteCreation, nullptr, GetCurrentThreadId());
  }
  const UINT type = buttons == MessageButtons::kOk ? MB_OK : MB_YESNO;
  const int answer = MessageBoxW(nullptr, windows::Widen(text).c_str(), windows::Widen(caption).c_str(),
                                 type | MB_SETFOREGROUND);
  if (hooking) {
    UnhookWindowsHookEx(win32::CreationHook());
    win32::CreationHook() = nullptr;
  }
  win32::Boxes().pop_back();
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  return answer == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace platform
