#include "mainwindow/main_commands.h"

#include "app/file_error.h"
#include "app/notice.h"
#include "app/text_tables.h"
#include "calendar/calendar_drawing.h"
#include "colours/colour_dialog.h"
#include "mainwindow/bitmap_export.h"
#include "mainwindow/day_marking.h"
#include "mainwindow/main_window.h"
#include "mainwindow/marks_file.h"
#include "platform/files.h"
#include "settings/settings_file.h"

namespace kalvor {

namespace {
constexpr int kGetOutResult = 0;
constexpr const char* kLineBreak = "\r\n";
constexpr int kAuthorLine1 = 1;
constexpr int kAuthorLine2 = 2;
}  // namespace

std::string AuthorMessage(int languageIndex) {
  return std::string(Text(text::msgAuthor, kAuthorLine1, languageIndex)) + kLineBreak + kAuthorName +
         kLineBreak + Text(text::msgAuthor, kAuthorLine2, languageIndex) + kLineBreak + kAuthorAddress;
}

void MainWindowHandler::OnInit(platform::Window& window) {
  if (program.settingsFromFile && platform::FileExists(program.MarksPath())) {
    LoadMarks(program, dayCells);
  } else {
    dayCells.ClearAllMarks(program.settings.monthCount);
  }
  DrawNewCalendar(window);
  calendarCells.SetFocus(calendarCells.Run().FirstFocus(Today()));
  window.SetViewCells(kCalendarViewId, calendarCells);
  program.currentMarkColour = kInitialMarkColour;
  program.fileNameDialogOpen = false;
  UpdateDeleteSettingsItem(window);
}

void MainWindowHandler::OnCommand(platform::Window& window, int id, int) {
  switch (id) {
    case kCmdNew:
      return New(window);
    case kCmdBitmap:
      return ExportBitmap(program, window);
    case kCmdRecord:
      return Record(window);
    case kCmdDeleteSettings:
      return DeleteSettings(window);
    case kCmdAuthor:
      return Author();
    case kCmdGetOut:
      return GetOut(window);
    case kCmdFavouriteColours:
      return FavouriteColours();
    default:
      return;
  }
}

// The window has no close box; a close the window manager asks for anyway is Get out.
void MainWindowHandler::OnCloseRequest(platform::Window& window) {
  GetOut(window);
}

void MainWindowHandler::OnViewMouse(platform::Window& window, int viewId, const platform::MouseEvent& event) {
  if (viewId != kCalendarViewId || event.kind != platform::MouseKind::kLeftDown) return;
  if (DayCell* cell = FindDayAt(dayCells, event.x, event.y)) ToggleAndShow(window, *cell);
}

void MainWindowHandler::ToggleAndShow(platform::Window& window, DayCell& cell) {
  ToggleDay(cell, program.currentMarkColour);
  RedrawDayCell(window, canvasBitmap, cell, program.settings);
  const DayPosition position{cell.monthSlot, cell.dayIndex};
  if (!(calendarCells.Focus() == position)) {
    calendarCells.SetFocus(position);
    window.ViewFocusMoved(kCalendarViewId);
  }
  window.ViewCellChanged(kCalendarViewId, calendarCells.IndexOf(position));
}

// A white canvas with the whole run drawn on it from the current table, shown in the view.
void MainWindowHandler::DrawNewCalendar(platform::Window& window) {
  canvasBitmap = platform::Image(kCanvasWidth, kCanvasHeight);
  canvasBitmap.Fill(platform::kWhite);
  DrawCalendar(canvasBitmap, program.settings, dayCells);
  window.ShowImage(kCalendarViewId, canvasBitmap);
}

void MainWindowHandler::New(platform::Window& window) {
  dayCells.ClearAllMarks(program.settings.monthCount);
  DrawNewCalendar(window);
}

// A damaged settings file counts as missing here as at start-up: the marks must go out with settings
// that the next start can read, or they could never come back.
void MainWindowHandler::Record(platform::Window& window) {
  if (!ReadUsableSettings(program.SettingsPath())) {
    WriteSettings(program.SettingsPath(), program.settings);
    // The settings file may exist now, and with it something to delete.
    UpdateDeleteSettingsItem(window);
  }
  SaveMarks(program, dayCells);
}

void MainWindowHandler::DeleteSettings(platform::Window& window) {
  DeleteDataFile(program.MarksPath());
  const bool existed = platform::FileExists(program.SettingsPath());
  const bool deleted = DeleteDataFile(program.SettingsPath()) && existed;
  UpdateDeleteSettingsItem(window);
  if (deleted) {
    const int languageIndex = program.settings.languageIndex;
    ShowNotice(Text(text::msgFileDeleted, languageIndex), languageIndex);
  }
}

void MainWindowHandler::Author() {
  ShowNotice(AuthorMessage(program.settings.languageIndex), program.settings.languageIndex);
}

void MainWindowHandler::GetOut(platform::Window& window) {
  window.End(kGetOutResult);
}

void MainWindowHandler::FavouriteColours() {
  if (program.colourDialogOpen) return;
  program.colourDialogOpen = true;
  ShowColourDialog(program);
}

void MainWindowHandler::UpdateDeleteSettingsItem(platform::Window& window) {
  window.EnableMenuItem(kCmdDeleteSettings, platform::FileExists(program.SettingsPath()));
}

}  // namespace kalvor
