// Which window a run starts with: the calendar for sound stored settings, the settings dialog for none
// and for any file whose values could not be drawn.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/program.h"
#include "platform/automation.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

namespace automation = platform::automation;
using Bytes = std::vector<std::uint8_t>;

constexpr int kCancelButton = 1017;   // settings dialog
constexpr int kGetOutCommand = 1026;  // main window menu
constexpr std::size_t kRandomFileBytes = 96;

// March to August 2024, circle, English.
const Settings kEnglishExample{3, 8, 25, 25, 2, 6, 5, 111111};

Bytes Record(const Settings& settings) {
  const auto record = EncodeSettingsRecord(settings);
  return Bytes(record.begin(), record.end());
}

enum class Opened { kNothing, kSettingsDialog, kMainWindow };

struct FirstWindow {
  Opened opened = Opened::kNothing;
  std::string firstMenuTitle;
  std::string cancelText;
};

// Runs the program, notes the first window it shows and closes it the way a user would.
FirstWindow RunAndClose(const std::string& programFolder) {
  FirstWindow seen;
  automation::Then([&seen] {
    platform::Window* window = automation::ActiveWindow();
    if (window == nullptr) return;
    const std::vector<platform::Menu> menus = automation::MenuBar(*window);
    if (menus.empty()) {
      seen.opened = Opened::kSettingsDialog;
      seen.cancelText = window->Text(kCancelButton);
      automation::Click(*window, kCancelButton);
    } else {
      seen.opened = Opened::kMainWindow;
      seen.firstMenuTitle = menus.front().title;
      automation::InvokeMenu(*window, kGetOutCommand);
    }
  });
  EXPECT_EQ(RunKalvor(programFolder), 0);
  automation::ClearSteps();
  return seen;
}

TEST(Startup, SoundStoredSettingsOpenTheCalendarInTheirLanguage) {
  testing::TempFolder folder;
  testing::WriteBytes(folder.File(kSettingsFileName), Record(kEnglishExample));
  const FirstWindow seen = RunAndClose(folder.Path());
  EXPECT_EQ(seen.opened, Opened::kMainWindow);
  EXPECT_EQ(seen.firstMenuTitle, "Operations");
}

TEST(Startup, AMissingOrDamagedSettingsFileOpensTheSettingsDialogInSpanish) {
  Settings wrongLanguage = kEnglishExample;
  wrongLanguage.languageIndex = 9;
  Settings wrongCount = kEnglishExample;
  wrongCount.monthCount = 20;
  Bytes random(kRandomFileBytes);
  for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<std::uint8_t>(i * 97 + 13);

  const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> cases = {
      {"missing", [](const std::string&) {}},
      {"empty", [](const std::string& path) { testing::WriteBytes(path, {}); }},
      {"short", [](const std::string& path) { testing::WriteBytes(path, Bytes(31, 1)); }},
      {"zero-filled", [](const std::string& path) { testing::WriteBytes(path, Bytes(64, 0)); }},
      {"language 9", [&](const std::string& path) { testing::WriteBytes(path, Record(wrongLanguage)); }},
      {"month count", [&](const std::string& path) { testing::WriteBytes(path, Record(wrongCount)); }},
      {"random", [&](const std::string& path) { testing::WriteBytes(path, random); }},
      {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
  };
  for (const auto& [what, make] : cases) {
    SCOPED_TRACE(what);
    testing::TempFolder folder;
    const std::string path = folder.File(kSettingsFileName);
    make(path);
    const bool regular = std::filesystem::is_regular_file(path);
    const Bytes before = regular ? testing::ReadBytes(path) : Bytes{};
    const FirstWindow seen = RunAndClose(folder.Path());
    EXPECT_EQ(seen.opened, Opened::kSettingsDialog);
    EXPECT_EQ(seen.cancelText, "Cancelar");
    if (regular) {
      EXPECT_EQ(testing::ReadBytes(path), before);  // cancelling writes nothing
    }
  }
}

}  // namespace
}  // namespace kalvor
