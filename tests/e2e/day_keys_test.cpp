// Every day from the keyboard: the calendar view takes the focus, the keys move it, Space marks as a click
// does, and the focus mark shows on screen only. Written once for both builds.
#include <gtest/gtest.h>

#include "calendar/calendar_drawing.h"
#include "mainwindow/bitmap_export.h"
#include "mainwindow/file_name_dialog.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

using automation::Key;
using automation::Modifier;

constexpr std::size_t kMarksRecord = 28;
constexpr std::size_t kMarkedAt = 12;  // the 32-bit marked field of a record
constexpr int kViewWidth = 1193;       // the view's drawing area, inside its border
constexpr int kViewHeight = 693;

void Press(Key key, int times = 1, Modifier modifier = Modifier::kNone) {
  OnMainWindow([=](platform::Window& window) {
    for (int i = 0; i < times; ++i) automation::PressKey(window, key, modifier);
  });
}

platform::Colour Fill(platform::Window& window, const DayBox& day) {
  return automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY());
}

int MarkedRecords(const std::vector<std::uint8_t>& marks) {
  int marked = 0;
  for (std::size_t at = 0; at + kMarksRecord <= marks.size(); at += kMarksRecord) {
    if (Get32(marks, at + kMarkedAt) != 0) ++marked;
  }
  return marked;
}

// Pixels where what the screen shows of the view differs from the view's picture.
struct Difference {
  int count = 0;
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Difference ShownOverPicture(platform::Window& window) {
  const platform::Image shown = automation::ScreenViewPicture(window, kCalendarViewId);  // at 100 %
  const platform::Image& picture = window.ViewSurface(kCalendarViewId);
  Difference difference;
  EXPECT_EQ(shown.Width(), picture.Width());
  EXPECT_EQ(shown.Height(), picture.Height());
  if (shown.Width() != picture.Width() || shown.Height() != picture.Height()) return difference;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (shown.Pixel(x, y) == picture.Pixel(x, y)) continue;
      ++difference.count;
      difference.left = std::min(difference.left, x);
      difference.top = std::min(difference.top, y);
      difference.right = std::max(difference.right, x);
      difference.bottom = std::max(difference.bottom, y);
    }
  }
  return difference;
}

// The focus mark stands inside the day, clear of its outline, and nowhere else.
void ExpectMarkInside(platform::Window& window, const DayBox& day) {
  const Difference mark = ShownOverPicture(window);
  EXPECT_GT(mark.count, 20) << "no focus mark is shown";
  EXPECT_GT(mark.left, day.left);
  EXPECT_GT(mark.top, day.top);
  EXPECT_LT(mark.right, day.right);
  EXPECT_LT(mark.bottom, day.bottom);
  // A rectangle: it reaches near every edge of the day.
  EXPECT_LE(mark.left, day.left + 4);
  EXPECT_GE(mark.right, day.right - 4);
  EXPECT_LE(mark.top, day.top + 4);
  EXPECT_GE(mark.bottom, day.bottom - 4);
}

std::vector<std::uint8_t> RecordedMarks(const std::function<void()>& queueInput) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  queueInput();
  Menu(kCmdRecord);
  GetOutAndCloseEverything();
  RunProgram(folder);
  return ReadBytes(folder.File("mark.log"));
}

TEST(DayKeysE2e, KeysMarkTheSameDaysAsClicksDo) {
  const std::vector<std::uint8_t> byKeys = RecordedMarks([] {
    Press(Key::kRight, 6);  // December 1 to 7, 2000
    Press(Key::kSpace);
    Press(Key::kDown);  // January 7, 2001
    Press(Key::kSpace);
    Press(Key::kEnd);  // January 31
    Press(Key::kSpace);
  });
  const std::vector<std::uint8_t> byClicks = RecordedMarks([] {
    for (const DayBox& day : {DayOfTallestRun(1, 7), DayOfTallestRun(2, 7), DayOfTallestRun(2, 31)})
      ClickView(day.left + 15, day.top + 15);
  });
  EXPECT_EQ(MarkedRecords(byKeys), 3);
  EXPECT_EQ(byKeys, byClicks);
}

TEST(DayKeysE2e, TheViewHasTheFocusFromTheStartAndCtrlHomeAndEndReachTheRunsEnds) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox first = DayOfTallestRun(1, 1), last = DayOfTallestRun(20, 31);
  OnMainWindow(
      [&](platform::Window& window) { EXPECT_EQ(automation::FocusedControl(window), kCalendarViewId); });
  // Once the window is active: the run does not hold today, so the focus starts on its first day.
  OnMainWindow([&](platform::Window& window) { ExpectMarkInside(window, first); });
  Press(Key::kEnd, 1, Modifier::kControl);
  Press(Key::kSpace);
  Press(Key::kLeft, 40);
  Press(Key::kHome, 1, Modifier::kControl);
  Press(Key::kSpace);
  Press(Key::kUp);  // nothing before the first month
  Press(Key::kLeft);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, last), kLightGrey);
    EXPECT_EQ(Fill(window, first), kLightGrey);
    EXPECT_EQ(Fill(window, DayOfTallestRun(19, 22)), platform::kWhite);
    ExpectMarkInside(window, first);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(DayKeysE2e, AClickTakesTheFocusToItsDayAndTheMarkLeavesWithTheActivation) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox clicked = DayOfTallestRun(3, 28), next = DayOfTallestRun(4, 1);
  ClickView(clicked.left + 5, clicked.top + 20);  // February 28, 2001
  Press(Key::kRight);
  Press(Key::kSpace);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, clicked), kLightGrey);
    EXPECT_EQ(Fill(window, next), kLightGrey);
    ExpectMarkInside(window, next);
    automation::Deactivate(window);
  });
  OnMainWindow([](platform::Window& window) {
    EXPECT_EQ(ShownOverPicture(window).count, 0) << "the focus mark stays on an inactive window";
    automation::Activate(window);
  });
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(automation::FocusedControl(window), kCalendarViewId);
    ExpectMarkInside(window, next);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// The exported picture is the calendar alone, drawn here without any window.
TEST(DayKeysE2e, TheBitmapOfAFocusedDayHoldsNoFocusMark) {
  TempFolder folder;
  InFolder inFolder(folder.Path());
  WriteSettingsFile(folder, TallestRun());
  Press(Key::kRight, 3);
  Press(Key::kSpace);  // December 4, 2000
  Press(Key::kRight);
  OnMainWindow([](platform::Window& window) { ExpectMarkInside(window, DayOfTallestRun(1, 5)); });
  Menu(kCmdBitmap);
  automation::Then([] {
    platform::Window* dialog = automation::ActiveWindow();
    ASSERT_NE(dialog, nullptr);
    automation::TypeText(*dialog, kFileNameEditId, "focused");
    automation::Click(*dialog, kFileNameAcceptId);
  });
  automation::Then([] { automation::AnswerMessageBox(platform::MessageAnswer::kOk); });
  GetOutAndCloseEverything();
  RunProgram(folder);

  const Settings settings = TallestRun();
  platform::Image canvas(kCanvasWidth, kCanvasHeight);
  canvas.Fill(platform::kWhite);
  DayCells cells;
  cells.ClearAllMarks(settings.monthCount);
  cells.At(1, 4).marked = 1;
  cells.At(1, 4).fillColour = kLightGrey;
  DrawCalendar(canvas, settings, cells);
  platform::Image view(kViewWidth, kViewHeight);
  view.CopyFrom(canvas, 0, 0);
  EXPECT_TRUE(ReadBytes(folder.File("focused.bmp")) == EncodeBitmapFile(view));
}

}  // namespace
}  // namespace kalvor::testing
