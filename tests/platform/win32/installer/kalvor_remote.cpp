// Chooses menu commands in a running Kalvor from another process, as its menu would: the installer's
// test drives the installed program, which carries no automation, with it.
//   kalvor_remote.exe COMMAND_ID...   (waits up to 30 s for the calendar window)
// Exit code 0 when the window was found and took every command, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr int kWaitSteps = 300;
constexpr DWORD kStepMilliseconds = 100;
constexpr UINT kCommandTimeout = 20000;

HWND CalendarWindow() {
  for (int step = 0; step < kWaitSteps; ++step) {
    // The calendar is the dialog-class window captioned "Kalvor" that has a menu bar.
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", L"Kalvor")) != nullptr) {
      if (IsWindowVisible(window) && GetMenu(window) != nullptr) return window;
    }
    Sleep(kStepMilliseconds);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const HWND calendar = CalendarWindow();
  if (calendar == nullptr) {
    std::fprintf(stderr, "no Kalvor calendar window\n");
    return 1;
  }
  for (int at = 1; at < argc; ++at) {
    const WPARAM id = static_cast<WPARAM>(std::wcstol(argv[at], nullptr, 10));
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(calendar, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG, kCommandTimeout,
                             &ignored) &&
        IsWindow(calendar)) {
      std::fprintf(stderr, "command %u was not taken\n", static_cast<unsigned>(id));
      return 1;
    }
  }
  return 0;
}
