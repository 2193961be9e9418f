// Kalvor started twice, as by a double double-click: the built program started beside a run of it in
// this test (or beside this test program run again as a first copy), in the same folder and in another.
// One copy per folder: a later start only brings the running one to the front and ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "colours/colour_dialog.h"
#include "platform/file_faults.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/fault_env.h"
#include "tests/support/processes.h"
#include "tests/support/test_system.h"

namespace kalvor::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Bounds for a busy machine, not speed targets (bench/startup measures those).
constexpr auto kEndsWithin = std::chrono::seconds(10);
constexpr auto kComesForwardWithin = std::chrono::seconds(10);
constexpr auto kFirstCopyRunsWithin = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(5);
constexpr const char* kColourDialogCaption = "Your favorite colors load them and save them";
constexpr std::size_t kMarksRecordBytes = 28;
constexpr std::size_t kFavouritesRecordBytes = 24;

using Snapshot = std::map<std::string, std::vector<std::uint8_t>>;

// Every name in the folder with its bytes.
Snapshot FolderSnapshot(const std::string& folder) {
  Snapshot snapshot;
  for (const std::string& name : FolderEntries(folder)) snapshot[name] = ReadBytes(folder + name);
  return snapshot;
}

// A folder as a user leaves it: the program, its settings, marks and favourites.
std::string ProgramFolderWithData(const TempFolder& folder) {
  WriteSettingsFile(folder, TallestRun());
  WriteBytes(folder.File("mark.log"), std::vector<std::uint8_t>(kMarksRecordBytes, 7));
  WriteBytes(folder.File("Mis Colores.log"), std::vector<std::uint8_t>(kFavouritesRecordBytes, 9));
  return CopyProgramInto(folder.Path());
}

// Starts a copy of the program and waits for it to end by itself: its exit code, nullopt (and a
// failure) when it went on running.
std::optional<int> StartAgain(const std::string& program) {
  Process copy = StartProgram(program, "");
  EXPECT_TRUE(copy.Started()) << program;
  const std::optional<int> exitCode = copy.WaitFor(kEndsWithin);
  EXPECT_TRUE(exitCode.has_value()) << "the start did not end by itself\n" << copy.Output();
  return exitCode;
}

// Queues a step that waits, one turn of the running loop after another, until `ready` holds or time is
// up, and then calls `then` with whether it held. `then` queues whatever comes next.
void ThenOnceReady(std::function<bool()> ready, Clock::time_point deadline, std::function<void(bool)> then) {
  automation::Then([ready, deadline, then] {
    if (ready()) return then(true);
    if (Clock::now() >= deadline) return then(false);
    std::this_thread::sleep_for(kPollInterval);
    ThenOnceReady(ready, deadline, then);
  });
}

bool WaitForFile(const std::string& path, Process& process, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!Exists(path)) {
    if (Clock::now() >= deadline || process.WaitFor(kPollInterval).has_value()) return false;
  }
  return true;
}

// The child's side of a first copy run by another process of this test: it runs the program in FOLDER,
// says so with the file "running" in SIGNALS once its calendar shows, and goes on until the file "end"
// appears there (or it is killed).
void RunAsFirstCopy() {
  const std::string signals = ChildValue("SIGNALS");
  automation::Then([signals] { WriteBytes(signals + "running", {1}); });
  ThenOnceReady([signals] { return Exists(signals + "end"); }, Clock::now() + std::chrono::minutes(2),
                [](bool) { GetOutAndCloseEverything(); });
  RunProgram(ChildValue("FOLDER"));
}

Process StartFirstCopy(const TempFolder& folder, const TempFolder& signals) {
  Process first = StartThisTestInChild({{"FOLDER", folder.Path()}, {"SIGNALS", signals.Path()}});
  EXPECT_TRUE(WaitForFile(signals.File("running"), first, kFirstCopyRunsWithin))
      << "the first copy did not come to run\n"
      << first.Output();
  return first;
}

TEST(SingleCopyE2e, ASecondStartInTheSameFolderBringsTheNewestWindowForwardAndEnds) {
  TempFolder folder;
  const std::string program = ProgramFolderWithData(folder);
  Menu(kCmdFavouriteColours);
  OnMainWindow([](platform::Window& window) {
    automation::Activate(window);
    ASSERT_TRUE(automation::IsActive(window));
  });
  automation::Then([&] {
    const Snapshot before = FolderSnapshot(folder.Path());
    EXPECT_EQ(StartAgain(program), 0);
    EXPECT_EQ(FolderSnapshot(folder.Path()), before) << "the second start wrote or removed a file";
  });
  ThenOnceReady(
      [] {
        const platform::Window* dialog = automation::WindowWithCaption(kColourDialogCaption);
        return dialog != nullptr && automation::IsActive(*dialog);
      },
      Clock::now() + kEndsWithin + kComesForwardWithin,
      [](bool cameForward) {
        EXPECT_TRUE(cameForward) << "the colour dialog, the newest window, was not brought forward";
        OnWindow(kColourDialogCaption,
                 [](platform::Window& dialog) { automation::Click(dialog, kGetOutButtonId); });
        GetOutAndCloseEverything();
      });
  RunProgram(folder);
}

// A program folder as long as a program can be started from (its path within Linux's 4,096 bytes):
// the program still learns its whole folder and meets the copy running there.
TEST(SingleCopyE2e, ASecondStartInAVeryLongFolderEndsToo) {
  if (UnderWine()) {
    GTEST_SKIP() << "Wine starts no program from a path past 260 characters (CreateProcessW fails with "
                    "error 2), so no first copy can be started there";
  }
  constexpr std::size_t kLongFolder = 4070;
  constexpr std::size_t kLongestName = 200;
  TempFolder base;
  std::string folder = base.Path();
  while (folder.size() < kLongFolder) {
    folder += std::string(std::min(kLongestName, kLongFolder - folder.size() - 1), 'k') + "/";
    std::filesystem::create_directory(Utf8Path(folder));
  }
  ASSERT_EQ(folder.size(), kLongFolder);
  WriteSettingsFile(folder, TallestRun());
  const std::string program = CopyProgramInto(folder);
  OnMainWindow([&](platform::Window&) { EXPECT_EQ(StartAgain(program), 0); });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// A start while the first copy is between writing a new file and moving it into place: the first
// copy's temporary file is not the leftover of a crash, and its save goes through.
TEST(SingleCopyE2e, ASecondStartDuringASaveLeavesItsNewFileAlone) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::string program = CopyProgramInto(folder.Path());
  std::vector<std::string> duringSave;
  std::vector<std::string> afterSecondStart;
  std::optional<int> secondExit;
  platform::testing::InjectStopBeforeMove([&] {
    duringSave = FolderEntries(folder.Path());
    secondExit = StartAgain(program);
    afterSecondStart = FolderEntries(folder.Path());
  });
  ClickView(DayOfTallestRun(1, 1).left + 10, DayOfTallestRun(1, 1).top + 10);
  Menu(kCmdRecord);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);
  platform::testing::InjectStopBeforeMove({});

  EXPECT_EQ(secondExit, 0);
  ASSERT_EQ(duringSave.size(), 3u) << "settings.log, the program and the new marks file";
  EXPECT_EQ(afterSecondStart, duringSave);
  EXPECT_EQ(FolderEntries(folder.Path()).size(), 3u) << "mark.log in place of the new file";
  EXPECT_EQ(ReadBytes(folder.File("mark.log")).size(), 620 * kMarksRecordBytes);
}

TEST(SingleCopyE2e, CopiesInDifferentFoldersRunSideBySide) {
  if (InTestChild()) return RunAsFirstCopy();
  TempFolder here;
  TempFolder other;
  TempFolder signals;
  const std::string programHere = ProgramFolderWithData(here);
  const std::string programThere = ProgramFolderWithData(other);
  OnMainWindow([&](platform::Window&) {
    Process there = StartFirstCopy(other, signals);
    // Each copy holds its own folder: a further start in either ends.
    EXPECT_EQ(StartAgain(programThere), 0);
    EXPECT_EQ(StartAgain(programHere), 0);
    EXPECT_FALSE(there.WaitFor(std::chrono::milliseconds(0)).has_value()) << "the other folder's copy ended";
    WriteBytes(signals.File("end"), {1});
    EXPECT_EQ(there.WaitFor(kEndsWithin), 0) << there.Output();
  });
  GetOutAndCloseEverything();
  RunProgram(here);
}

TEST(SingleCopyE2e, ACopyKilledOutrightLeavesTheFolderToTheNextStart) {
  if (InTestChild()) return RunAsFirstCopy();
  TempFolder folder;
  TempFolder signals;
  const std::string program = ProgramFolderWithData(folder);
  {
    Process killed = StartFirstCopy(folder, signals);
    ASSERT_EQ(StartAgain(program), 0) << "the first copy did not hold the folder";
    killed.Kill();
  }
  bool calendarShown = false;
  OnMainWindow([&](platform::Window&) {
    calendarShown = true;
    EXPECT_EQ(StartAgain(program), 0) << "the new copy does not hold the folder in turn";
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_TRUE(calendarShown);
}

// Without a program folder nothing is read or written, the working folder least of all.
TEST(UnknownProgramFolderE2e, TheNumberedMessageAndAnEndWithoutWriting) {
  TempFolder working;
  const InFolder inWorking(working.Path());
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  EXPECT_EQ(RunKalvor(std::nullopt), kUnknownProgramFolderExitCode);
  EXPECT_EQ(automation::PendingSteps(), 0u);
  automation::ClearSteps();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Err:  76 Path not found");
  EXPECT_EQ(seen[0].caption, "Programador");
  EXPECT_TRUE(automation::OpenWindowCaptions().empty());
  EXPECT_TRUE(FolderEntries(working.Path()).empty());
}

}  // namespace
}  // namespace kalvor::testing
