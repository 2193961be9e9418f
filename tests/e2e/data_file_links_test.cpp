// Data files that are symbolic links to files elsewhere: whatever the program does with the link (a
// foreign marks file discarded at start-up, Reset of the favourites, Delete settings, Record), the file
// it points to keeps its content and its permissions.
#include <gtest/gtest.h>

#include <filesystem>

#include "colours/colour_dialog.h"
#include "platform/files.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/fault_env.h"

namespace kalvor::testing {
namespace {

using std::filesystem::perms;

constexpr perms kOwnerReadOnly = perms::owner_read;

// A file written outside the program folder, made read-only, and a link to it in the program folder.
struct LinkedFile {
  std::string target;
  std::vector<std::uint8_t> content;
};

LinkedFile Link(const TempFolder& outside, const TempFolder& program, const std::string& name) {
  const LinkedFile linked{outside.File(name), ReadBytes(outside.File(name))};
  std::filesystem::permissions(linked.target, kOwnerReadOnly);
  std::filesystem::create_symlink(linked.target, program.File(name));
  return linked;
}

// Windows makes symbolic links only with a privilege, and Wine not at all.
bool LinksCanBeMade(const TempFolder& folder) {
  std::error_code error;
  std::filesystem::create_symlink(folder.File("probe-target"), folder.File("probe-link"), error);
  const bool made = !error;
  std::filesystem::remove(folder.File("probe-link"), error);
  return made;
}

constexpr const char* kNoLinks = "this system makes no symbolic links for a test";

void ExpectUntouched(const LinkedFile& linked) {
  EXPECT_EQ(ReadBytes(linked.target), linked.content) << linked.target;
  EXPECT_EQ(std::filesystem::status(linked.target).permissions(), kOwnerReadOnly) << linked.target;
}

bool IsLink(const std::string& path) {
  return std::filesystem::is_symlink(std::filesystem::symlink_status(path));
}

// One marks record, a placeholder, stamped with the id.
std::vector<std::uint8_t> MarksRecord(std::int32_t settingsId) {
  std::vector<std::uint8_t> bytes(16, 0);
  Put32(bytes, static_cast<std::uint32_t>(settingsId));
  bytes.resize(28, 0);
  return bytes;
}

void AnswerYes() {
  automation::Then([] { EXPECT_TRUE(automation::AnswerMessageBox(platform::MessageAnswer::kYes)); });
}

void OnColourDialog(std::function<void(platform::Window&)> step) {
  automation::Then([step] {
    platform::Window* dialog = automation::ActiveWindow();
    if (dialog == nullptr || automation::Caption(*dialog) == kMainWindowCaption) {
      ADD_FAILURE() << "the colour dialog is not open";
      return;
    }
    step(*dialog);
  });
}

TEST(DataFileLinksE2e, NothingTheProgramDoesToALinkReachesTheFileItPointsTo) {
  TempFolder outside;
  TempFolder program;
  if (!LinksCanBeMade(outside)) GTEST_SKIP() << kNoLinks;
  WriteSettingsFile(outside, TallestRun());
  WriteBytes(outside.File("mark.log"), MarksRecord(kTallestRunId + 1));
  WriteBytes(outside.File("Mis Colores.log"), std::vector<std::uint8_t>(24, 0));
  const LinkedFile settings = Link(outside, program, "settings.log");
  const LinkedFile marks = Link(outside, program, "mark.log");
  const LinkedFile favourites = Link(outside, program, "Mis Colores.log");

  // The marks were made for other settings: discarded as the window opens.
  OnMainWindow([&](platform::Window&) { EXPECT_FALSE(Exists(program.File("mark.log"))); });
  Menu(kCmdFavouriteColours);
  OnColourDialog([](platform::Window& dialog) { automation::Click(dialog, kResetButtonId); });
  AnswerYes();
  OnColourDialog([](platform::Window& dialog) { automation::Click(dialog, kGetOutButtonId); });
  Menu(kCmdDeleteSettings);
  EXPECT_EQ(RunAnsweringOneBox(program).text, "Deleted file");

  EXPECT_EQ(FolderEntries(program.Path()), std::vector<std::string>{}) << "every link is gone";
  ExpectUntouched(settings);
  ExpectUntouched(marks);
  ExpectUntouched(favourites);
}

TEST(DataFileLinksE2e, RecordReplacesTheLinksByFilesOfItsOwn) {
  TempFolder outside;
  TempFolder program;
  if (!LinksCanBeMade(outside)) GTEST_SKIP() << kNoLinks;
  WriteSettingsFile(program, TallestRun());
  WriteBytes(outside.File("mark.log"), MarksRecord(kTallestRunId));
  const LinkedFile marks = Link(outside, program, "mark.log");
  const DayBox day = DayOfTallestRun(1, 5);
  ClickView(day.left + 10, day.top + 10);
  Menu(kCmdRecord);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(program);

  EXPECT_FALSE(IsLink(program.File("mark.log")));
  EXPECT_EQ(ReadBytes(program.File("mark.log")).size(), 20u * 868);
  ExpectUntouched(marks);
}

}  // namespace
}  // namespace kalvor::testing
