// The calendar on a display of any scale: the window enlarged by the scale, the calendar's picture shown
// enlarged by whole pixels, clicks landing on the day under the pointer, and the same bitmap file as at
// 100 %. The suite runs at the display's own scale; the Windows build runs it again on displays of 120,
// 144 and 192 dpi (KALVOR_EXPECT_DPI says which), and the 144-dpi run compares its bitmap with the one
// the 96-dpi run wrote (KALVOR_REFERENCE_BITMAP).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "mainwindow/file_name_dialog.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

constexpr int kClientWidth = 1204;
constexpr int kClientHeight = 752;
constexpr int kViewWidth = 1193;
constexpr int kViewHeight = 693;
constexpr double kBaseDpi = 96.0;

// Display pixels for a length in the program's pixels: the scale, rounded to the nearest.
int Enlarged(int pixels, int dpi) {
  return static_cast<int>(std::lround(pixels * dpi / kBaseDpi));
}

// The display pixel at the middle of the block that shows picture pixel p.
int MiddleOfBlock(int p, int dpi) {
  return static_cast<int>(std::floor((p + 0.5) * dpi / kBaseDpi));
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void ExpectTheScaleAskedFor(const platform::Window& window) {
  const std::string expected = Environment("KALVOR_EXPECT_DPI");
  if (!expected.empty()) {
    EXPECT_EQ(automation::WindowDpi(window), std::stoi(expected));
  }
}

TEST(DisplayScaleE2e, TheCalendarWindowIsEnlargedByTheScale) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  OnMainWindow([](platform::Window& window) {
    ExpectTheScaleAskedFor(window);
    const int dpi = automation::WindowDpi(window);
    const automation::Geometry shown = automation::ScreenClientGeometry(window);
    EXPECT_EQ(shown.width, Enlarged(kClientWidth, dpi));
    EXPECT_EQ(shown.height, Enlarged(kClientHeight, dpi));
    // In the program's own pixels nothing moves.
    const automation::Geometry client = automation::ClientGeometry(window);
    EXPECT_EQ(std::vector<int>({client.width, client.height}),
              std::vector<int>({kClientWidth, kClientHeight}));
    const automation::Geometry view = automation::ControlGeometry(window, kCalendarViewId);
    EXPECT_EQ(std::vector<int>({view.x, view.y, view.width, view.height}),
              std::vector<int>({5, 5, 1195, 695}));
    EXPECT_EQ(window.ViewSurface(kCalendarViewId).Width(), kViewWidth);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// Every pixel of the calendar's picture stands, whole, at its enlarged place on the display.
TEST(DisplayScaleE2e, TheDisplayShowsEveryPixelOfTheCalendarEnlarged) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox day = DayOfTallestRun(3, 7);
  ClickView(day.left + 10, day.top + 10);
  // Without the keyboard focus the view draws no focus mark over its picture.
  OnMainWindow([](platform::Window& window) { automation::Deactivate(window); });
  OnMainWindow([](platform::Window& window) {
    const int dpi = automation::WindowDpi(window);
    const platform::Image shown = automation::ScreenViewPicture(window, kCalendarViewId);
    ASSERT_EQ(shown.Width(), Enlarged(kViewWidth, dpi));
    ASSERT_EQ(shown.Height(), Enlarged(kViewHeight, dpi));
    const platform::Image& picture = window.ViewSurface(kCalendarViewId);
    int wrong = 0;
    for (int y = 0; y < kViewHeight; ++y) {
      for (int x = 0; x < kViewWidth; ++x) {
        if (shown.Pixel(MiddleOfBlock(x, dpi), MiddleOfBlock(y, dpi)) != picture.Pixel(x, y)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << "picture pixels not shown at their place";
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// A click at the scaled place of a day marks that day and no other, whichever display pixel of the
// day's enlarged box it lands on.
TEST(DisplayScaleE2e, AClickAtTheScaledPlaceOfADayMarksThatDay) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<DayBox> days = {DayOfTallestRun(1, 1), DayOfTallestRun(2, 17), DayOfTallestRun(20, 31)};
  const DayBox untouched = DayOfTallestRun(2, 18);
  int dpi = 0;
  OnMainWindow([&dpi](platform::Window& window) { dpi = automation::WindowDpi(window); });
  for (std::size_t i = 0; i < days.size(); ++i) {
    OnMainWindow([&dpi, i, day = days[i]](platform::Window& window) {
      // The middle of the day, and the outermost display pixels of its inner fill.
      const int x = i == 0   ? Enlarged(day.left + 15, dpi)
                    : i == 1 ? Enlarged(day.left + 2, dpi)
                             : Enlarged(day.right - 1, dpi) - 1;
      const int y = Enlarged(day.top + 15, dpi);
      automation::MouseAtScreenPixel(window, kCalendarViewId, platform::MouseKind::kLeftDown, x, y);
      automation::MouseAtScreenPixel(window, kCalendarViewId, platform::MouseKind::kLeftUp, x, y);
    });
  }
  OnMainWindow([&days, untouched](platform::Window& window) {
    for (const DayBox& day : days)
      EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY()), kLightGrey);
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, untouched.fillX(), untouched.fillY()),
              platform::kWhite);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// The exported bitmap is the picture, not what the display shows: the same bytes at every scale.
TEST(DisplayScaleE2e, TheBitmapIsTheSameFileAtEveryScale) {
  TempFolder folder;
  const std::string reference = Environment("KALVOR_REFERENCE_BITMAP");
  const std::string writeReference = Environment("KALVOR_WRITE_REFERENCE_BITMAP");
  const std::string named = reference.empty() ? writeReference : reference;
  const std::filesystem::path referencePath = named.empty() ? std::filesystem::path() : std::filesystem::absolute(named);
  InFolder inFolder{folder.Path()};
  WriteSettingsFile(folder, TallestRun(1));
  const DayBox day = DayOfTallestRun(4, 12);
  ClickView(day.left + 10, day.top + 10);
  std::vector<std::uint8_t> topRow;
  OnMainWindow([&topRow](platform::Window& window) {
    const platform::Image& surface = window.ViewSurface(kCalendarViewId);
    topRow.assign(surface.Row(0), surface.Row(0) + surface.Width() * 3);
  });
  Menu(kCmdBitmap);
  OnWindow("Operación con fichero", [](platform::Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, "escala");
    automation::Click(dialog, kFileNameAcceptId);
  });
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  GetOutAndCloseEverything();
  RunProgram(folder);

  const std::vector<std::uint8_t> bytes = ReadBytes(folder.File("escala.bmp"));
  ASSERT_EQ(bytes.size(), 2480994u);
  // The picture's top row is the file's last.
  EXPECT_TRUE(std::equal(topRow.begin(), topRow.end(), bytes.end() - 3580));
  if (!writeReference.empty()) WriteBytes(referencePath.string(), bytes);
  if (!reference.empty()) {
    EXPECT_TRUE(ReadBytes(referencePath.string()) == bytes) << "not the 96-dpi file";
  }
}

}  // namespace
}  // namespace kalvor::testing
