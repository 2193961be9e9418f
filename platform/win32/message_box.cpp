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

OpenBox* BoxOf(HWND handle) {
  for (OpenBox& box : Boxes()) {
    if (box.handle == handle) return &box;
  }
  return nullptr;
}

// A Yes/No question is answered by Yes or No only. Escape and a close request reach a dialog as Cancel,
// which some systems' boxes take as an answer (Wine's end the box with it): the question ignores it, and
// its close box is greyed, as Windows' own question has it.
LRESULT CALLBACK QuestionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const OpenBox* box = BoxOf(window);
  if (box == nullptr) return DefDlgProcW(window, message, wParam, lParam);
  const WNDPROC boxProcedure = box->boxProcedure;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return 0;
  const LRESULT result = CallWindowProcW(boxProcedure, window, message, wParam, lParam);
  if (message == WM_INITDIALOG)
    EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  return result;
}

// The box is the first dialog created once MessageBoxW has been called: it gets its handle, and a
// question its procedure.
LRESULT CALLBACK NoteCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !Boxes().empty() && Boxes().back().handle == nullptr) {
    const auto window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    OpenBox& box = Boxes().back();
    if (std::wstring(className) == L"#32770") {
      box.handle = window;
      if (box.question) {
        box.boxProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&QuestionProcedure)));
      }
    }
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
  const bool question = buttons == MessageButtons::kYesNo;
  win32::Boxes().push_back(win32::OpenBox{nullptr, text, question, nullptr});
  const bool hooking = win32::CreationHook() == nullptr;
  if (hooking) {
    win32::CreationHook() = SetWindowsHookExW(WH_CBT, &win32::NoteCreation, nullptr, GetCurrentThreadId());
  }
  const int answer = MessageBoxW(nullptr, windows::Widen(text).c_str(), windows::Widen(caption).c_str(),
                                 (question ? MB_YESNO : MB_OK) | MB_SETFOREGROUND);
  if (hooking) {
    UnhookWindowsHookEx(win32::CreationHook());
    win32::CreationHook() = nullptr;
  }
  win32::Boxes().pop_back();
  if (!question) return MessageAnswer::kOk;
  return answer == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace platform
