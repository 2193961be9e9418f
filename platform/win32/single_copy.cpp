// The folder's claim on Windows: a named mutex of the user's session, which the system closes with the
// process however it ends, and a message-only window of the same name through which a later start
// asks this copy to come to the front (allowing it to take the foreground, which a background process
// may not do by itself).
#include "platform/single_copy.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/win32/colour_choosers.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/win32_window.h"
#include "platform/window_base.h"
#include "platform/windows/unicode.h"

namespace platform {

namespace {

constexpr const wchar_t* kClassName = L"KalvorFolderClaim";
constexpr UINT kComeForward = WM_APP + 1;
// A copy that made its mutex a moment ago may not have its window yet.
constexpr int kFindAttempts = 20;
constexpr auto kFindRetry = std::chrono::milliseconds(10);
constexpr const wchar_t* kLongPathPrefix = L"\\\\?\\";

// The window the user last had in hand: an open message box, else the colour chooser, else the dialog
// or main window shown most recently.
HWND NewestOpenWindow() {
  if (const win32::OpenBox* box = win32::NewestOpenBox()) return box->handle;
  if (const win32::OpenChooser* chooser = win32::OpenColourChooserDialog()) return chooser->handle;
  const auto& windows = OpenWindows();
  for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
    const HWND handle = win32::AsWin32(**window).Handle();
    if (IsWindowVisible(handle)) return handle;
  }
  return nullptr;
}

void BringNewestWindowToFront() {
  for (WindowBase* window : OpenWindows()) {
    const HWND handle = win32::AsWin32(*window).Handle();
    if (IsIconic(handle)) ShowWindow(handle, SW_RESTORE);
  }
  if (const HWND window = NewestOpenWindow()) SetForegroundWindow(window);
}

LRESULT CALLBACK ClaimProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kComeForward) {
    BringNewestWindowToFront();
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A path as one of the system's path calls gives it, or as it was where the call fails.
template <typename PathCall>
std::wstring Rewritten(const std::wstring& path, PathCall call) {
  const DWORD size = call(path.c_str(), 0, nullptr);
  if (size == 0) return path;
  std::wstring result(size, L'\0');
  const DWORD length = call(path.c_str(), size, result.data());
  return length > 0 && length < size ? result.substr(0, length) : path;
}

// The folder as Windows compares folders: one separator, absolute, its long name rather than an 8.3
// alias, without regard to case.
std::wstring FolderKey(const std::string& folder) {
  std::wstring path = windows::Widen(folder);
  if (path.rfind(kLongPathPrefix, 0) == 0) path.erase(0, 4);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  path = Rewritten(path, [](const wchar_t* name, DWORD size, wchar_t* out) {
    return GetFullPathNameW(name, size, out, nullptr);
  });
  path = Rewritten(
      path, [](const wchar_t* name, DWORD size, wchar_t* out) { return GetLongPathNameW(name, out, size); });
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

bool RegisterClaimClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ClaimProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  return registered;
}

void AskHolderToComeForward(const std::wstring& name) {
  for (int attempt = 0; attempt < kFindAttempts; ++attempt) {
    if (const HWND holder = FindWindowExW(HWND_MESSAGE, nullptr, kClassName, name.c_str())) {
      DWORD process = 0;
      GetWindowThreadProcessId(holder, &process);
      AllowSetForegroundWindow(process);
      // Posted, not sent: a holder busy for a while never holds up this start.
      PostMessageW(holder, kComeForward, 0, 0);
      return;
    }
    std::this_thread::sleep_for(kFindRetry);
  }
}

}  // namespace

struct FolderClaim::Impl {
  bool held = true;
  HANDLE mutex = nullptr;
  HWND window = nullptr;

  ~Impl() {
    if (window != nullptr) DestroyWindow(window);
    if (mutex != nullptr) CloseHandle(mutex);
  }
};

FolderClaim::FolderClaim(const std::string& folder) : impl_(std::make_unique<Impl>()) {
  const std::wstring name = windows::Widen(FolderClaimName(windows::Narrow(FolderKey(folder))));
  // Where the system offers no such mutex, the start goes on rather than fail.
  impl_->mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
  if (impl_->mutex == nullptr) return;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    impl_->held = false;
    AskHolderToComeForward(name);
    return;
  }
  if (RegisterClaimClass()) {
    impl_->window = CreateWindowExW(0, kClassName, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  }
}

FolderClaim::~FolderClaim() = default;

bool FolderClaim::Held() const {
  return impl_->held;
}

}  // namespace platform
