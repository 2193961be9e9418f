// The Bitmap command: the file-name dialog and the exported picture, through the real windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "mainwindow/file_name_dialog.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/fault_env.h"

namespace kalvor::testing {
namespace {

constexpr std::size_t kBitmapSize = 2480994;
constexpr std::size_t kStride = 3580;
constexpr std::size_t kPixelsAt = 54;
constexpr int kViewHeight = 693;
constexpr const char* kDialogEnglish = "File operation";
constexpr const char* kDialogSpanish = "Operación con fichero";

// A bare bitmap name lands in the current folder: each test works in its own.
class BitmapE2e : public ::testing::Test {
 protected:
  TempFolder folder;
  InFolder inFolder{folder.Path()};
};

int OpenDialogs(const char* caption) {
  const std::vector<std::string> captions = automation::OpenWindowCaptions();
  return static_cast<int>(std::count(captions.begin(), captions.end(), caption));
}

// A row of the view as blue, green, red bytes, as the file holds it.
std::vector<std::uint8_t> ViewRow(platform::Window& window, int y) {
  const platform::Image& surface = window.ViewSurface(kCalendarViewId);
  return std::vector<std::uint8_t>(surface.Row(y), surface.Row(y) + surface.Width() * 3);
}

TEST_F(BitmapE2e, ANamedExportWritesTheViewAndSaysSo) {
  WriteSettingsFile(folder, TallestRun(1));
  const DayBox day = DayOfTallestRun(1, 10);
  ClickView(day.left + 10, day.top + 10);
  std::vector<std::uint8_t> topRow, bottomRow;
  OnMainWindow([&](platform::Window& window) {
    topRow = ViewRow(window, 0);
    bottomRow = ViewRow(window, kViewHeight - 1);
  });
  Menu(kCmdBitmap);
  OnWindow(kDialogSpanish, [](platform::Window& dialog) {
    EXPECT_EQ(dialog.Text(kFileNameLabelId), "Nombre de fichero sin extensión");
    EXPECT_EQ(dialog.Text(kFileNameEditId), "");
    EXPECT_EQ(dialog.Text(kFileNameCancelId), "Cancelar");
    EXPECT_EQ(dialog.Text(kFileNameAcceptId), "Aceptar");
    EXPECT_TRUE(automation::WindowFrame(dialog).closeBox);
  });
  TypeNameAndAccept(kDialogSpanish, "calendario");
  const automation::SeenMessageBox box = RunAnsweringOneBox(folder);

  EXPECT_EQ(box.text, "Fichero grabado a bitmap");
  EXPECT_EQ(box.caption, "Programador");
  const std::vector<std::uint8_t> bytes = ReadBytes(folder.File("calendario.bmp"));
  ASSERT_EQ(bytes.size(), kBitmapSize);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(Get32(bytes, 2), kBitmapSize);
  // The view's top line is the file's last row, its bottom line the first.
  const std::size_t lastRow = kPixelsAt + (kViewHeight - 1) * kStride;
  EXPECT_TRUE(std::equal(topRow.begin(), topRow.end(), bytes.begin() + lastRow));
  EXPECT_TRUE(std::equal(bottomRow.begin(), bottomRow.end(), bytes.begin() + kPixelsAt));
  // The marked day is in the picture, light grey (blue, green, red bytes all 0xC0).
  const std::size_t markedPixel = kPixelsAt + (kViewHeight - 1 - day.fillY()) * kStride + day.fillX() * 3;
  EXPECT_EQ(bytes[markedPixel], 0xC0);
  EXPECT_EQ(bytes[markedPixel + 2], 0xC0);
}

TEST_F(BitmapE2e, AnEmptyNameIsRefusedAndCancelWritesNothing) {
  WriteSettingsFile(folder, TallestRun());
  std::vector<automation::SeenMessageBox> seen;
  Menu(kCmdBitmap);
  OnWindow(kDialogEnglish,
           [](platform::Window& dialog) { automation::TypeText(dialog, kFileNameEditId, "draft"); });
  TypeNameAndAccept(kDialogEnglish, "");
  AnswerBox(seen);
  OnWindow(kDialogEnglish, [](platform::Window& dialog) { automation::Click(dialog, kFileNameCancelId); });
  ExpectNoBox();
  // The text box starts empty every time.
  Menu(kCmdBitmap);
  OnWindow(kDialogEnglish, [](platform::Window& dialog) {
    EXPECT_EQ(dialog.Text(kFileNameEditId), "");
    automation::TypeText(dialog, kFileNameEditId, "closed");
    automation::RequestClose(dialog);  // the close box is Cancel
  });
  ExpectNoBox();
  automation::Then([] { EXPECT_EQ(OpenDialogs(kDialogEnglish), 0); });
  GetOutAndCloseEverything();
  RunProgram(folder);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "You have to write a filename");
  EXPECT_EQ(seen[0].caption, "Programmer");
  EXPECT_FALSE(Exists(folder.File("draft.bmp")));
  EXPECT_FALSE(Exists(folder.File(".bmp")));
  EXPECT_FALSE(Exists(folder.File("closed.bmp")));
}

TEST_F(BitmapE2e, WhileTheDialogIsOpenBitmapDoesNothingAndTheCalendarStaysUsable) {
  WriteSettingsFile(folder, TallestRun());
  const DayBox day = DayOfTallestRun(2, 1);
  Menu(kCmdBitmap);
  Menu(kCmdBitmap);
  automation::Then([] { EXPECT_EQ(OpenDialogs(kDialogEnglish), 1); });
  ClickView(day.left + 10, day.top + 10);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY()), kLightGrey);
  });
  OnWindow(kDialogEnglish, [](platform::Window& dialog) { automation::Click(dialog, kFileNameCancelId); });
  // Closed, the command works again.
  Menu(kCmdBitmap);
  automation::Then([] { EXPECT_EQ(OpenDialogs(kDialogEnglish), 1); });
  TypeNameAndAccept(kDialogEnglish, "again");
  EXPECT_EQ(RunAnsweringOneBox(folder).text, "Recorded a bitmap file");
  EXPECT_EQ(ReadBytes(folder.File("again.bmp")).size(), kBitmapSize);
}

// The dialog's loop may end long after the dialog: here a message opened after it is still waiting.
// Once the dialog is gone, Bitmap opens it again all the same.
TEST_F(BitmapE2e, BitmapWorksAgainOnceTheDialogIsClosedEvenBeforeItsLoopHasReturned) {
  WriteSettingsFile(folder, TallestRun());
  std::vector<automation::SeenMessageBox> seen;
  Menu(kCmdBitmap);
  Menu(kCmdAuthor);  // a message without owner, over the dialog
  OnWindow(kDialogEnglish, [](platform::Window& dialog) { automation::Click(dialog, kFileNameCancelId); });
  automation::Then([] { EXPECT_EQ(OpenDialogs(kDialogEnglish), 0); });
  Menu(kCmdBitmap);
  automation::Then([] { EXPECT_EQ(OpenDialogs(kDialogEnglish), 1) << "Bitmap did nothing"; });
  OnWindow(kDialogEnglish, [](platform::Window& dialog) { automation::Click(dialog, kFileNameCancelId); });
  AnswerBox(seen);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Programmer");
}

TEST_F(BitmapE2e, AFailedExportShowsItsNumberAndLeavesTheOldFile) {
  WriteSettingsFile(folder, TallestRun());
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
  WriteBytes(folder.File("plan.bmp"), old);
  std::vector<automation::SeenMessageBox> seen;
  Menu(kCmdBitmap);
  automation::Then([] { platform::testing::InjectReplaceFailure(70, platform::ReplaceStage::kCreate); });
  TypeNameAndAccept(kDialogEnglish, "plan");
  AnswerBox(seen);
  ExpectNoBox();
  // A 300-character name is cut to 259, and 263 characters are too long for this file system.
  Menu(kCmdBitmap);
  TypeNameAndAccept(kDialogEnglish, std::string(300, 'n'));
  AnswerBox(seen);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);

  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, "Err:  70 Permission denied");
  EXPECT_EQ(seen[1].text, "Err:  64 Bad file name");
  EXPECT_EQ(ReadBytes(folder.File("plan.bmp")), old);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
  EXPECT_EQ(entries, 2u) << "only settings.log and plan.bmp";
}

// An export killed once its new file is complete, before the file is moved into place, leaves that new
// file beside the old one. Exports of the same name killed again and again leave one such file, not one
// each; the next export that goes through leaves none. The program folder stays clean throughout.
TEST(BitmapLeftoversE2e, InterruptedExportsOfOneNameLeaveOneStrayFileAtMost) {
  constexpr int kKilledExitCode = 86;
  if (InTestChild()) {
    const InFolder inPictures(ChildValue("PICTURES"));
    platform::testing::InjectStopBeforeMove([] { std::_Exit(kKilledExitCode); });
    Menu(kCmdBitmap);
    TypeNameAndAccept(kDialogEnglish, "plan");
    GetOutAndCloseEverything();  // only when the export was not stopped
    RunProgram(ChildValue("PROGRAM"));
    return;
  }
  TempFolder program;
  TempFolder pictures;
  WriteSettingsFile(program, TallestRun());
  const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
  WriteBytes(pictures.File("plan.bmp"), old);
  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE(run);
    const ChildRun child =
        RunThisTestInChild({{"PROGRAM", program.Path()}, {"PICTURES", pictures.Path()}}, ChildUser::kSame);
    ASSERT_TRUE(child.started) << child.reason;
    ASSERT_EQ(child.exitCode, kKilledExitCode) << "the export was not stopped:\n" << child.output;
    EXPECT_EQ(FolderEntries(pictures.Path()).size(), 2u) << "plan.bmp and a single stray file";
    EXPECT_EQ(ReadBytes(pictures.File("plan.bmp")), old);
  }

  const InFolder inPictures(pictures.Path());
  Menu(kCmdBitmap);
  TypeNameAndAccept(kDialogEnglish, "plan");
  EXPECT_EQ(RunAnsweringOneBox(program).text, "Recorded a bitmap file");
  EXPECT_EQ(FolderEntries(pictures.Path()), std::vector<std::string>{"plan.bmp"});
  EXPECT_EQ(ReadBytes(pictures.File("plan.bmp")).size(), kBitmapSize);
  EXPECT_EQ(FolderEntries(program.Path()), std::vector<std::string>{"settings.log"});
}

}  // namespace
}  // namespace kalvor::testing
