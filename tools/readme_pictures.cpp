// Takes pictures of the real program by running it in temporary folders and driving it like a user.
//   kalvor_readme_pictures README_FOLDER REVIEW_FOLDER
// README_FOLDER gets the README's pictures: the first-run settings dialog, the calendar with marked days,
// the favourite colours, a round-day calendar in Italian and the settings dialog in German. REVIEW_FOLDER
// gets, in each of the six languages, the settings dialog, its refusal message, the file-name dialog, the
// colour dialog, its save question and a round-day calendar, for checking every text by eye.
//   kalvor_readme_pictures --frames
// Under a window manager: opens the calendar, the colour dialog and the colour chooser, waits for the
// window manager to frame them and says where the chooser's frame stands from the colour dialog's.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "app/text_tables.h"
#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/application.h"
#include "platform/automation.h"
#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace {

namespace automation = platform::automation;
using kalvor::Settings;

const char* const kLanguageCodes[kalvor::kLanguageCount] = {"es", "pt", "fr", "de", "en", "it"};

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

// A new empty folder for one run of the program (std::filesystem, so that it builds for Windows too).
std::string MakeFolder() {
  std::filesystem::path folder;
  do {
    folder = std::filesystem::temp_directory_path() /
             ("kalvor-pictures-" + std::to_string(std::random_device{}()));
  } while (!std::filesystem::create_directory(folder));
  return folder.generic_string() + "/";
}

void Report(bool saved, const std::string& path) {
  if (saved) {
    std::printf("wrote %s\n", path.c_str());
  } else {
    std::fprintf(stderr, "could not take %s\n", path.c_str());
  }
}

void Save(const std::string& folder, const std::string& name) {
  platform::Window* window = automation::ActiveWindow();
  const std::string path = folder + "/" + name;
  Report(window && automation::SaveWindowPicture(*window, path), path);
}

void SaveBox(const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  Report(automation::SaveMessageBoxPicture(path), path);
}

std::string Named(const char* kind, int language) {
  return std::string(kind) + "-" + kLanguageCodes[language - 1] + ".png";
}

// March to December 2026, ten months, in the given language and day shape.
void WriteSettings(const std::string& folder, int language, int dayShape) {
  Settings settings;
  settings.startMonth = 3;
  settings.lastMonth = 12;
  settings.startYearIndex = settings.lastYearIndex = 27;
  settings.dayShape = dayShape;
  settings.monthCount = 10;
  settings.languageIndex = language;
  settings.settingsId = 123456;
  const auto record = kalvor::EncodeSettingsRecord(settings);
  platform::ReplaceWholeFile(folder + "settings.log", {record.begin(), record.end()},
                             platform::ReadOnlyTarget::kReplace);
}

void RunIn(const std::string& folder) {
  kalvor::RunKalvor(folder);
  std::filesystem::remove_all(folder);
}

// The settings dialog and its refusal message in every language; the Spanish and German dialogs also for
// the README.
void SettingsDialogPictures(const std::string& readme, const std::string& review) {
  automation::Then([readme] { Save(readme, "settings-dialog.png"); });
  for (int language = 1; language <= kalvor::kLanguageCount; ++language) {
    automation::Then([=] {
      platform::Window& dialog = *automation::ActiveWindow();
      automation::ChooseItem(dialog, kalvor::kLanguageChooser, language - 1);
      Save(review, Named("settings", language));
      if (language == 4) Save(readme, "settings-dialog-de.png");
      automation::Click(dialog, kalvor::kAcceptButton);  // nothing chosen: refused
    });
    automation::Then([=] {
      SaveBox(review, Named("message", language));
      automation::AnswerMessageBox(platform::MessageAnswer::kOk);
    });
  }
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kalvor::kCancelButton); });
  RunIn(MakeFolder());
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

void CalendarAndColourPictures(const std::string& readme) {
  const std::string folder = MakeFolder();
  WriteSettings(folder, 5, kalvor::kSquareShape);
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdFavouriteColours); });
  for (const Swatch& swatch : kSwatches) ClickSwatch(swatch);
  automation::Then([] {
    platform::Window& dialog = *automation::ActiveWindow();
    automation::Mouse(dialog, kalvor::kPaletteViewId, platform::MouseKind::kMove, 3 * 25 + 12, 12);
    automation::Mouse(dialog, kalvor::kPaletteViewId, platform::MouseKind::kRightDown, 25 + 12, 12);
  });
  automation::Then([readme] { Save(readme, "colour-dialog.png"); });
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kalvor::kGetOutButtonId); });
  automation::Then([] { automation::AnswerMessageBox(platform::MessageAnswer::kNo); });
  automation::Then([] {
    platform::Window* calendar = automation::WindowWithCaption(kalvor::kMainWindowCaption);
    for (const Point& day : kMarkedDays) {
      automation::Mouse(*calendar, kalvor::kCalendarViewId, platform::MouseKind::kLeftDown, day.x, day.y);
    }
  });
  automation::Then([readme] { Save(readme, "main-window.png"); });
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdGetOut); });
  RunIn(folder);
}

// In one language: the round-day calendar, the file-name dialog, the colour dialog and its save question.
void LanguagePictures(int language, const std::string& readme, const std::string& review) {
  const std::string folder = MakeFolder();
  WriteSettings(folder, language, kalvor::kCircleShape);
  automation::Then([=] {
    Save(review, Named("calendar", language));
    if (language == 6) Save(readme, "calendar-circles-it.png");
    automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdBitmap);
  });
  automation::Then([=] {
    Save(review, Named("file-name", language));
    automation::Click(*automation::ActiveWindow(), kalvor::kFileNameCancelId);
  });
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdFavouriteColours); });
  ClickSwatch(kSwatches.front());
  automation::Then([=] {
    Save(review, Named("colour", language));
    automation::Click(*automation::ActiveWindow(), kalvor::kGetOutButtonId);
  });
  automation::Then([=] {
    SaveBox(review, Named("question", language));
    automation::AnswerMessageBox(platform::MessageAnswer::kNo);
  });
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdGetOut); });
  RunIn(folder);
}

// A step that lets the window manager frame what the previous step opened: the program's events keep
// being handled by the few steps that follow, each after a short pause.
void LetTheWindowManagerFrame() {
  for (int pause = 0; pause < 10; ++pause) {
    automation::Then([] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
  }
}

int FramePositions() {
  const std::string folder = MakeFolder();
  WriteSettings(folder, 1, kalvor::kCircleShape);
  const std::string dialogCaption = kalvor::Text(kalvor::text::ttlFavouriteColours, 1);
  LetTheWindowManagerFrame();
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdFavouriteColours); });
  LetTheWindowManagerFrame();
  automation::Then([] {
    automation::Mouse(*automation::ActiveWindow(), kalvor::kPaletteViewId, platform::MouseKind::kLeftDown, 12,
                      12);
  });
  LetTheWindowManagerFrame();
  bool placed = false;
  automation::Then([dialogCaption, &placed] {
    const platform::Window* dialog = automation::WindowWithCaption(dialogCaption);
    const auto chooser = automation::OpenColourChooser();
    if (!dialog || !chooser) return;
    const int dx = chooser->x - dialog->ScreenX(), dy = chooser->y - dialog->ScreenY();
    std::printf("colour dialog's frame at (%d, %d), chooser's frame at (%d, %d): %+d, %+d\n",
                dialog->ScreenX(), dialog->ScreenY(), chooser->x, chooser->y, dx, dy);
    std::fflush(stdout);
    placed = dx == 30 && dy == 30;
    // Time for a look from outside (the screenshots script takes the screen now).
    std::this_thread::sleep_for(std::chrono::seconds(2));
    automation::AnswerColourChooser(std::nullopt);
  });
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kalvor::kGetOutButtonId); });
  automation::Then([] { automation::InvokeMenu(*automation::ActiveWindow(), kalvor::kCmdGetOut); });
  RunIn(folder);
  return placed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool frames = argc == 2 && std::string(argv[1]) == "--frames";
  if (argc != 3 && !frames) {
    std::fprintf(stderr, "usage: %s README_FOLDER REVIEW_FOLDER\n       %s --frames\n", argv[0], argv[0]);
    return 2;
  }
  platform::Application application;
  if (frames) return FramePositions();
  const std::string readme = argv[1], review = argv[2];
  std::filesystem::create_directories(readme);
  std::filesystem::create_directories(review);
  SettingsDialogPictures(readme, review);
  CalendarAndColourPictures(readme);
  for (int language = 1; language <= kalvor::kLanguageCount; ++language)
    LanguagePictures(language, readme, review);
  return automation::PendingSteps() == 0 ? 0 : 1;
}
