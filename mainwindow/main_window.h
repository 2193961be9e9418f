// The calendar window with its menus.
#pragma once

#include <vector>

#include "app/program.h"
#include "platform/window.h"

namespace kalvor {

// Controls of the main window.
constexpr int kCalendarViewId = 1019;
constexpr int kStatusBarId = 1032;

// Menu commands of the main window.
constexpr int kCmdNew = 1020;
constexpr int kCmdBitmap = 1022;
constexpr int kCmdDeleteSettings = 1024;
constexpr int kCmdAuthor = 1025;
constexpr int kCmdGetOut = 1026;
constexpr int kCmdFavouriteColours = 1027;
constexpr int kCmdRecord = 1033;

// The calendar window's caption, the same in every language.
constexpr const char* kMainWindowCaption = "Kalvor";

// The "Operaciones" and "Colores" menus in the given language, in the order they are shown.
std::vector<platform::Menu> BuildMainMenu(int languageIndex);

// Creates, shows and runs the main window until Get out; returns its end value.
int OpenMainWindow(Program& program);

}  // namespace kalvor
