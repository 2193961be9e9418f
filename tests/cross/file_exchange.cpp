// The same files on every build: this program, built by each backend, writes the three data files and
// a bitmap through the real windows, reads data files back into the real windows and prints what a user
// sees of them, and compares two bitmaps. same_files.sh runs the Linux and the Windows build of it
// against each other's files.
//   kalvor_file_exchange write FOLDER      settings, marks, favourites and exchange.bmp, as a user makes them
//   kalvor_file_exchange read FOLDER       the calendar's day fills and the favourite colours, one line each
//   kalvor_file_exchange compare A.bmp B.bmp   identical but for the pixels of glyphs
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/application.h"
#include "platform/automation.h"
#include "settings/settings_dialog.h"
#include "tests/support/temp_folder.h"

namespace {

namespace automation = platform::automation;
using platform::Colour;
using platform::MouseKind;

constexpr const char* kCaption = "Kalvor";
// March to August 2026 in English, square days: six month rows below the year row.
constexpr int kEnglish = 4, kMarch = 2, kAugust = 7, kYear2026 = 26, kSquares = 0;
constexpr int kRows = 7;
constexpr int kRowHeight = 30, kFirstDayLeft = 222, kDaysPerRow = 31;
// Inside a day's square, clear of its texts.
constexpr int kFillOffset = 25;
// A swatch changed through the chooser and then picked as the mark colour.
constexpr int kSwatchColumn = 2, kSwatchRow = 1, kCell = 25, kSwatchMiddle = 15;
constexpr Colour kChosen = 0x3366CC;
constexpr int kGridColumns = 13, kGridRows = 10;
// Bitmap files: the header, and the texts' places in the calendar.
constexpr std::size_t kBmpHeader = 54;
constexpr int kLabelColumnEnd = 222;
constexpr int kTextZoneFirst = 2, kTextZoneLast = 27;
constexpr Colour kTextBlack = 0x000000, kTextRed = 0x0000FF;

struct Day {
  int month;  // row of the run, 1 = March
  int day;
};
const std::vector<Day> kGreyDays = {{1, 1}, {1, 15}, {3, 31}, {6, 9}};
const std::vector<Day> kBlueDays = {{2, 2}, {5, 30}};

int DayX(int day) {
  return kFirstDayLeft + kRowHeight * (day - 1) + kFillOffset;
}
int DayY(int row) {
  return kRowHeight * row + 1 + kFillOffset;
}

platform::Window& Calendar() {
  return *automation::WindowWithCaption(kCaption);
}

void MarkDays(const std::vector<Day>& days) {
  automation::Then([days] {
    for (const Day& day : days) {
      automation::Mouse(Calendar(), kalvor::kCalendarViewId, MouseKind::kLeftDown, DayX(day.day),
                        DayY(day.month));
    }
  });
}

void AcceptSettings() {
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    automation::ChooseItem(dialog, kalvor::kLanguageChooser, kEnglish);
    automation::ChooseItem(dialog, kalvor::kStartMonthList, kMarch);
    automation::ChooseItem(dialog, kalvor::kStartYearList, kYear2026);
    automation::ChooseItem(dialog, kalvor::kLastMonthList, kAugust);
    automation::ChooseItem(dialog, kalvor::kLastYearList, kYear2026);
    automation::ChooseItem(dialog, kalvor::kDayShapeList, kSquares);
    automation::Click(dialog, kalvor::kSaveSettingsBox);
    automation::Click(dialog, kalvor::kAcceptButton);
  });
}

void ChangeAndPickASwatch() {
  const int x = kCell * kSwatchColumn + kSwatchMiddle;
  const int y = kCell * kSwatchRow + kSwatchMiddle;
  automation::Then([] { automation::InvokeMenu(Calendar(), kalvor::kCmdFavouriteColours); });
  automation::Then([x, y] {
    automation::Mouse(*automation::ActiveWindow(), kalvor::kPaletteViewId, MouseKind::kLeftDown, x, y);
  });
  automation::Then([] { automation::AnswerColourChooser(kChosen); });
  automation::Then([x, y] {
    platform::Window& dialog = *automation::ActiveWindow();
    automation::Mouse(dialog, kalvor::kPaletteViewId, MouseKind::kMove, x, y);
    automation::Mouse(dialog, kalvor::kPaletteViewId, MouseKind::kRightDown, x, y);
    automation::Click(dialog, kalvor::kGetOutButtonId);
  });
  automation::Then([] { automation::AnswerMessageBox(platform::MessageAnswer::kYes); });
}

int Write(const std::string& folder) {
  std::filesystem::current_path(kalvor::testing::Utf8Path(folder));  // the bitmap lands here
  AcceptSettings();
  MarkDays(kGreyDays);
  ChangeAndPickASwatch();
  MarkDays(kBlueDays);
  automation::Then([] { automation::InvokeMenu(Calendar(), kalvor::kCmdRecord); });
  automation::Then([] { automation::InvokeMenu(Calendar(), kalvor::kCmdBitmap); });
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    automation::TypeText(dialog, kalvor::kFileNameEditId, "exchange");
    automation::Click(dialog, kalvor::kFileNameAcceptId);
  });
  automation::Then([] { automation::AnswerMessageBox(platform::MessageAnswer::kOk); });
  automation::Then([] { automation::InvokeMenu(Calendar(), kalvor::kCmdGetOut); });
  kalvor::RunKalvor(folder);
  return automation::PendingSteps() == 0 ? 0 : 1;
}

void PrintLine(const char* name, const std::vector<Colour>& colours) {
  std::printf("%s", name);
  for (const Colour colour : colours) std::printf(" %06X", colour);
  std::printf("\n");
}

int Read(const std::string& folder) {
  automation::Then([] {
    for (int row = 0; row < kRows; ++row) {
      std::vector<Colour> fills;
      for (int day = 1; day <= kDaysPerRow; ++day) {
        fills.push_back(automation::ViewPixel(Calendar(), kalvor::kCalendarViewId, DayX(day), DayY(row)));
      }
      PrintLine(("row " + std::to_string(row)).c_str(), fills);
    }
    automation::InvokeMenu(Calendar(), kalvor::kCmdFavouriteColours);
  });
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    for (int row = 0; row < kGridRows; ++row) {
      std::vector<Colour> swatches;
      for (int column = 0; column < kGridColumns; ++column) {
        swatches.push_back(automation::ViewPixel(
            dialog, kalvor::kPaletteViewId, kCell * column + kSwatchMiddle, kCell * row + kSwatchMiddle));
      }
      PrintLine(("swatches " + std::to_string(row)).c_str(), swatches);
    }
    automation::Click(dialog, kalvor::kGetOutButtonId);
  });
  automation::Then([] { automation::InvokeMenu(Calendar(), kalvor::kCmdGetOut); });
  kalvor::RunKalvor(folder);
  return automation::PendingSteps() == 0 ? 0 : 1;
}

// Where glyphs may differ between the builds' fonts: the label column and the middle of each day.
bool InTextZone(int x, int y) {
  if (x < kLabelColumnEnd) return true;
  const int across = (x - kFirstDayLeft) % kRowHeight;
  const int down = y % kRowHeight;
  return across >= kTextZoneFirst && across <= kTextZoneLast && down >= kTextZoneFirst &&
         down <= kTextZoneLast + 1;
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

int Compare(const std::string& first, const std::string& second) {
  const auto a = kalvor::testing::ReadBytes(first);
  const auto b = kalvor::testing::ReadBytes(second);
  if (a.size() != b.size() || a.size() < kBmpHeader ||
      !std::equal(a.begin(), a.begin() + kBmpHeader, b.begin())) {
    std::printf("the two files differ in size or header\n");
    return 1;
  }
  const int width = static_cast<int>(Read32(a, 18));
  const int height = static_cast<int>(Read32(a, 22));
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  int fills = 0, glyphs = 0;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = kBmpHeader + static_cast<std::size_t>(height - 1 - y) * stride;  // bottom-up
    for (int x = 0; x < width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      const Colour pa = a[at + 2] | a[at + 1] << 8 | a[at] << 16;
      const Colour pb = b[at + 2] | b[at + 1] << 8 | b[at] << 16;
      if (pa == pb) continue;
      const bool glyph = pa == kTextBlack || pa == kTextRed || pb == kTextBlack || pb == kTextRed;
      (glyph && InTextZone(x, y) ? glyphs : fills)++;
    }
  }
  std::printf("%d pixels of glyphs differ, %d other pixels differ\n", glyphs, fills);
  return fills == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc != 3 && !(argc == 4 && mode == "compare")) {
    std::fprintf(stderr, "usage: %s write|read FOLDER, or compare A.bmp B.bmp\n", argv[0]);
    return 2;
  }
  if (mode == "compare") return Compare(argv[2], argv[3]);
  platform::Application application;
  if (mode == "write") return Write(argv[2]);
  if (mode == "read") return Read(argv[2]);
  return 2;
}
