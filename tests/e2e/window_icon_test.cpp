// Every window carries Kalvor's own icon, large and small, for the caption, the taskbar and the task
// switcher, never the system's generic one.
#include <gtest/gtest.h>

#include <string>

#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "settings/settings_dialog.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

constexpr int kDesignSide = 64;  // the icon is drawn on a 64 x 64 grid (scripts/make_icon.py)
constexpr platform::Colour kRed = 0x0000FF;
constexpr platform::Colour kGreen = 0x00AA00;

// A part of the icon's design, in the 64-pixel grid, right and bottom excluded.
struct Area {
  const char* what;
  int left, top, right, bottom;
  platform::Colour colour;
};
// The red heading band across the page below its binder rings, and the green-marked day (column 6,
// row 3 of the page's grid).
constexpr Area kRedBand = {"heading band", 3, 11, 61, 20, kRed};
constexpr Area kGreenDay = {"green day", 45, 41, 50, 46, kGreen};

// Every pixel of the icon whose whole share of the design lies inside the area has the area's colour;
// returns how many such pixels there are.
int CheckArea(const platform::Image& icon, const Area& area) {
  const int side = icon.Width();
  int checked = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const int left = x * kDesignSide / side, right = (x + 1) * kDesignSide / side;
      const int top = y * kDesignSide / side, bottom = (y + 1) * kDesignSide / side;
      if (left < area.left || right > area.right || top < area.top || bottom > area.bottom) continue;
      EXPECT_EQ(icon.Pixel(x, y), area.colour) << area.what << " at " << x << ", " << y << " of " << side;
      ++checked;
    }
  }
  return checked;
}

void ExpectKalvorsIcon(const platform::Window& window) {
  SCOPED_TRACE(automation::Caption(window));
  const platform::Image large = automation::WindowIcon(window, true);
  const platform::Image small = automation::WindowIcon(window, false);
  ASSERT_GE(large.Width(), 32);
  EXPECT_EQ(large.Height(), large.Width());
  ASSERT_GE(small.Width(), 16);
  EXPECT_EQ(small.Height(), small.Width());
  EXPECT_LT(small.Width(), large.Width());
  EXPECT_GT(CheckArea(large, kRedBand), 0);
  EXPECT_GT(CheckArea(small, kRedBand), 0);
  EXPECT_GT(CheckArea(large, kGreenDay), 0);
  EXPECT_EQ(large.Pixel(0, 0), platform::kWhite);  // transparent corner, drawn on white
}

TEST(WindowIconE2e, EveryWindowShowsKalvorsIcon) {
  TempFolder folder;
  // First run: the settings dialog, then the calendar and its two dialogs.
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    ExpectKalvorsIcon(dialog);
    automation::ChooseItem(dialog, kLanguageChooser, 4);  // English
    automation::ChooseItem(dialog, kStartMonthList, 0);
    automation::ChooseItem(dialog, kStartYearList, 24);
    automation::ChooseItem(dialog, kLastMonthList, 1);
    automation::ChooseItem(dialog, kLastYearList, 24);
    automation::ChooseItem(dialog, kDayShapeList, 0);
    automation::Click(dialog, kAcceptButton);
  });
  OnMainWindow([](platform::Window& window) { ExpectKalvorsIcon(window); });
  Menu(kCmdBitmap);
  OnWindow("File operation", [](platform::Window& dialog) {
    ExpectKalvorsIcon(dialog);
    automation::Click(dialog, kFileNameCancelId);
  });
  Menu(kCmdFavouriteColours);
  OnWindow("Your favorite colors load them and save them", [](platform::Window& dialog) {
    ExpectKalvorsIcon(dialog);
    automation::Click(dialog, kGetOutButtonId);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

}  // namespace
}  // namespace kalvor::testing
