// Takes the README's pictures by running the real program in temporary folders and driving it like a
// user: the first-run settings dialog, the calendar with marked days, and the favourite colours.
//   kalvor_readme_pictures OUTPUT_FOLDER
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "colours/colour_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/application.h"
#include "platform/automation.h"
#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace {

namespace automation = platform::automation;
using kalvor::Settings;

// A few days of the run to mark, and swatches to fill, as (x, y) in their views.
struct Point {
  int x, y;
};
const std::vector<Point> kMarkedDays = {{222 + 30 * 4 + 10, 31 + 10},   {222 + 30 * 5 + 10, 31 + 10},
                                        {222 + 30 * 11 + 10, 61 + 10},  {222 + 30 * 20 + 10, 121 + 10},
                                        {222 + 30 * 21 + 10, 121 + 10}, {222 + 30 * 2 + 10, 241 + 10}};
struct Swatch {
  int column, row;
  platform::Colour colour;
};
const std::vector<Swatch> kSwatches = {{0, 0, 0x0000FF}, {1, 0, 0x00A5FF}, {2, 0, 0x00FFFF},
                                       {3, 0, 0x00C000}, {4, 0, 0xFF8000}, {5, 0, 0x800080},
                                       {0, 1, 0x000000}, {1, 1, 0x808080}};

std::string MakeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kalvor-pictures-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern + "/";
}

void Save(const std::string& output, const char* name) {
  platform::Window* window = automation::ActiveWindow();
  const std::string path = output + "/" + name;
  if (window && automation::SaveWindowPicture(*window, path)) std::printf("wrote %s\n", path.c_str());
}

void SettingsDialogPicture(const std::string& output) {
  const std::string folder = MakeFolder();
  automation::Then([output] { Save(output, "settings-dialog.png"); });
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kalvor::kCancelButton); });
  kalvor::RunKalvor(folder);
  std::filesystem::remove_all(folder);
}

void ClickSwatch(const Swatch& swatch) {
  const int x = 25 * swatch.column + 12;
  const int y = 25 * swatch.row + 12;
  automation::Then([x, y] {
    automation::Mouse(*automation::ActiveWindow(), kalvor::kPaletteViewId, platform::MouseKind::kLeftDown, x,
                      y);
  });
  automation::Then([swatch] { automation::AnswerColourChooser(swatch.colour); });
}

void CalendarAndColourPictures(const std::string& output) {
  const std::string folder = MakeFolder();
  Settings settings;  // March to December 2026 in English, squares
  settings.startMonth = 3;
  settings.lastMonth = 12;
  settings.startYearIndex = settings.lastYearIndex = 27;
  settings.dayShape = 1;
  settings.monthCount = 10;
  settings.languageIndex = 5;
  settings.settingsId = 123456;
  const auto record = kalvor::EncodeSettingsRecord(settings);
  platform::ReplaceWholeFile(folder + "settings.log", {record.begin(), record.end()},
                             platform::ReadOnlyTarget::kReplace);

  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdFavouriteColours); });
  for (const Swatch& swatch : kSwatches) ClickSwatch(swatch);
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    automation::Mouse(dialog, kalvor::kPaletteViewId, platform::MouseKind::kMove, 3 * 25 + 12, 12);
    automation::Mouse(dialog, kalvor::kPaletteViewId, platform::MouseKind::kRightDown, 25 + 12, 12);
  });
  automation::Then([output] { Save(output, "colour-dialog.png"); });
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kalvor::kGetOutButtonId); });
  automation::Then([] { automation::AnswerMessageBox(platform::MessageAnswer::kNo); });
  automation::Then([] {
    platform::Window* calendar = automation::WindowWithCaption("Kalvor");
    for (const Point& day : kMarkedDays) {
      automation::Mouse(*calendar, kalvor::kCalendarViewId, platform::MouseKind::kLeftDown, day.x, day.y);
    }
  });
  automation::Then([output] { Save(output, "main-window.png"); });
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdGetOut); });
  kalvor::RunKalvor(folder);
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string output = argv[1];
  std::filesystem::create_directories(output);
  platform::Application application(argc, argv);
  SettingsDialogPicture(output);
  CalendarAndColourPictures(output);
  return automation::PendingSteps() == 0 ? 0 : 1;
}
