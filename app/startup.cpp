#include "app/startup.h"

#include "app/program.h"
#include "mainwindow/main_window.h"
#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace kalvor {

int RunKalvor(const std::string& programFolder) {
  Program program;
  program.programFolder = programFolder;
  // Saves that a crash or a power cut interrupted leave their temporary files behind.
  platform::RemoveLeftoverTemporaries(programFolder);
  // Decided once: a settings file created or deleted later only matters at the next start.
  if (platform::FileExists(program.SettingsPath())) {
    ReadSettings(program.SettingsPath(), program.settings);
    if (SettingsInRange(program.settings)) {
      OpenMainWindow(program);
      return 0;
    }
    // A damaged or foreign file is treated as none: ask again rather than draw with its values.
    program.settings = Settings{};
  }
  ShowSettingsDialog(program);
  return 0;
}

}  // namespace kalvor
