// What lives for the whole run: the program folder, the settings and the few program-wide values that
// the windows share.
#pragma once

#include <array>
#include <string>

#include "platform/image.h"
#include "settings/settings.h"

namespace kalvor {

constexpr const char* kSettingsFileName = "settings.log";
constexpr const char* kMarksFileName = "mark.log";
constexpr const char* kFavouritesFileName = "Mis Colores.log";

constexpr platform::Colour kInitialMarkColour = 0xC0C0C0;  // light grey

struct Program {
  std::string programFolder;  // ends in the path separator
  Settings settings;
  // Read from "settings.log" at start-up. Only then can "mark.log" belong to these settings; settings
  // from the dialog leave it alone until Record replaces it.
  bool settingsFromFile = false;
  platform::Colour currentMarkColour = kInitialMarkColour;
  std::array<platform::Colour, 16> chooserCustomColours{};  // black at start, kept for the run
  bool colourDialogOpen = false;
  bool fileNameDialogOpen = false;

  std::string SettingsPath() const { return programFolder + kSettingsFileName; }
  std::string MarksPath() const { return programFolder + kMarksFileName; }
  std::string FavouritesPath() const { return programFolder + kFavouritesFileName; }
};

}  // namespace kalvor
