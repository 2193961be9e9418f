// A screen reader in another process reads the calendar through Active Accessibility: one child per day
// of the run, named by its date, checked when marked, the focused day reported.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/automation_steps.h"
#include "platform/win32/win32_window.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

constexpr DWORD kClientTimeoutMs = 60000;
constexpr long kRoleTable = 0x18;  // ROLE_SYSTEM_TABLE
constexpr unsigned long kStateFocused = 0x4;
constexpr unsigned long kStateChecked = 0x10;

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // ASCII: numbers and the test folder's path
}

std::wstring ThisFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring DesktopName() {
  wchar_t name[256] = {};
  GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, nullptr);
  return name;
}

// Runs the client on the view and keeps this thread's messages flowing meanwhile: the client's calls
// reach the view as messages. Returns the client's exit code, or -1 when it could not run.
int RunClient(HWND view, const std::string& outputPath) {
  std::wstring command = L"\"" + ThisFolder() + L"kalvor_msaa_client.exe\" " +
                         std::to_wstring(reinterpret_cast<INT_PTR>(view)) + L" \"" + Wide(outputPath) + L"\"";
  std::wstring desktop = DesktopName();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = desktop.data();  // where the view is, so that the client can reach it
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  const platform::automation::steps::Hold hold;  // the next test step waits
  const DWORD start = GetTickCount();
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kClientTimeoutMs, QS_ALLINPUT) !=
             WAIT_OBJECT_0 &&
         GetTickCount() - start < kClientTimeoutMs) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) platform::win32::DispatchThreadMessage(message);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

struct SeenCells {
  long role = -1;
  long children = -1;
  long focus = -1;
  std::map<long, std::pair<unsigned long, std::string>> cells;  // id: state, name
};

SeenCells ReadClientOutput(const std::string& path) {
  SeenCells seen;
  std::ifstream in(Utf8Path(path));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "role") words >> seen.role;
    if (kind == "children") words >> seen.children;
    if (kind == "focus") words >> seen.focus;
    if (kind == "cell") {
      long id = 0;
      unsigned long state = 0;
      words >> id >> std::hex >> state;
      std::string name;
      std::getline(words >> std::ws, name);
      seen.cells[id] = {state, name};
    }
  }
  return seen;
}

TEST(AccessibilityWin32, AnotherProcessReadsEveryDayItsStateAndTheFocus) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun(1));  // Spanish: names beyond ASCII
  const std::string output = folder.File("msaa.txt");
  int exitCode = -2;
  ClickView(DayOfTallestRun(2, 7).left + 5, DayOfTallestRun(2, 7).top + 5);  // January 7, 2001
  OnMainWindow([](platform::Window& window) {
    for (int i = 0; i < 3; ++i) automation::PressKey(window, automation::Key::kLeft);
    automation::PressKey(window, automation::Key::kSpace);  // January 4
    automation::PressKey(window, automation::Key::kRight);  // the focus on January 5
  });
  OnMainWindow([&](platform::Window& window) {
    exitCode = RunClient(platform::win32::AsWin32(window).ControlHandle(kCalendarViewId), output);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);

  ASSERT_EQ(exitCode, 0);
  const SeenCells seen = ReadClientOutput(output);
  EXPECT_EQ(seen.role, kRoleTable);
  EXPECT_EQ(seen.children, 608);
  ASSERT_EQ(seen.cells.size(), 608u);
  EXPECT_EQ(seen.cells.at(1).second, "viernes 1 de diciembre de 2000");
  EXPECT_EQ(seen.cells.at(34).second, "miércoles 3 de enero de 2001");
  EXPECT_EQ(seen.cells.at(608).second, "miércoles 31 de julio de 2002");
  // January 7 and 4 are marked; January 5 (day 31 + 5) has the focus.
  std::vector<long> checked, focused;
  for (const auto& [id, cell] : seen.cells) {
    if (cell.first & kStateChecked) checked.push_back(id);
    if (cell.first & kStateFocused) focused.push_back(id);
  }
  EXPECT_EQ(checked, (std::vector<long>{35, 38}));
  EXPECT_EQ(focused, (std::vector<long>{36}));
  EXPECT_EQ(seen.focus, 36);
}

struct HeardEvent {
  DWORD event;
  LONG child;
};

std::vector<HeardEvent>& Heard() {
  static std::vector<HeardEvent> heard;
  return heard;
}

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) Heard().push_back({event, child});
}

std::vector<LONG> ChildrenOf(DWORD event) {
  std::vector<LONG> children;
  for (const HeardEvent& heard : Heard()) {
    if (heard.event == event) children.push_back(heard.child);
  }
  return children;
}

TEST(AccessibilityWin32, ScreenReadersHearOfTheFocusedDayAndOfEachMark) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  HWINEVENTHOOK hook = nullptr;
  OnMainWindow([&](platform::Window& window) {
    Heard().clear();
    // Out of context: the events come to this thread as messages, from this process only.
    hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, &Hear,
                           GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    automation::PressKey(window, automation::Key::kRight);  // December 2, 2000
    automation::PressKey(window, automation::Key::kDown);   // January 2, 2001
    automation::PressKey(window, automation::Key::kSpace);
    automation::PressKey(window, automation::Key::kEnd, automation::Modifier::kControl);
  });
  OnMainWindow([](platform::Window&) {});  // the events' messages are taken meanwhile
  automation::Then([&] {
    if (hook) UnhookWinEvent(hook);
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(ChildrenOf(EVENT_OBJECT_FOCUS), (std::vector<LONG>{2, 33, 608}));
    EXPECT_EQ(ChildrenOf(EVENT_OBJECT_STATECHANGE), (std::vector<LONG>{33}));
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

}  // namespace
}  // namespace kalvor::testing
