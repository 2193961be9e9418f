#include "app/startup.h"

#include "app/file_error.h"
#include "app/program.h"
#include "mainwindow/main_window.h"
#include "platform/files.h"
#include "platform/single_copy.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"

namespace kalvor {

namespace {
// No settings are known yet: the message speaks the first run's language.
constexpr int kFirstRunLanguage = 1;  // Spanish

// Decided once: a settings file created or deleted later only matters at the next start. A damaged or
// foreign file is treated as none: ask again rather than draw with its values. A file that is there but
// cannot be read is said so, and stays as it is until the user saves anew.
void OpenFirstWindow(Program& program) {
  int readError = platform::kErrNone;
  const std::optional<Settings> stored = ReadUsableSettings(program.SettingsPath(), &readError);
  if (readError != platform::kErrNone) ShowFileError(readError, kFirstRunLanguage);
  if (!stored) {
    ShowSettingsDialog(program);
    return;
  }
  program.settings = *stored;
  program.settingsFromFile = true;
  OpenMainWindow(program);
}

}  // namespace

int RunKalvor(const std::optional<std::string>& programFolder) {
  // The data files belong beside the program; the working folder is no stand-in for it.
  if (!programFolder) {
    ShowFileError(platform::kErrPathNotFound, kFirstRunLanguage);
    return kUnknownProgramFolderExitCode;
  }
  // Before anything is read or swept: a copy already running here owns these files, and only comes
  // to the front.
  const platform::FolderClaim claim(*programFolder);
  if (!claim.Held()) return 0;

  Program program;
  program.programFolder = *programFolder;
  // Saves that a crash or a power cut interrupted leave their temporary files behind.
  platform::RemoveLeftoverTemporaries(program.programFolder);
  OpenFirstWindow(program);
  return 0;
}

}  // namespace kalvor
