// What the main window does when it opens, when it is (de)activated, on its menu commands and on a
// click in the calendar view.
#pragma once

#include <string>

#include "app/program.h"
#include "calendar/day_cells.h"
#include "mainwindow/calendar_cells.h"
#include "platform/image.h"
#include "platform/window.h"

namespace kalvor {

// The maker's web address, the fourth line of the about message.
constexpr const char* kAuthorAddress = "https://kalvor.example.org/";
constexpr const char* kAuthorName = "Dremil";

// The about message: four lines joined by "\r\n".
std::string AuthorMessage(int languageIndex);

class MainWindowHandler : public platform::WindowHandler {
 public:
  explicit MainWindowHandler(Program& owner) : program(owner) {}

  void OnInit(platform::Window& window) override;
  void OnCommand(platform::Window& window, int id, int notification) override;
  void OnCloseRequest(platform::Window& window) override;
  void OnViewMouse(platform::Window& window, int viewId, const platform::MouseEvent& event) override;
  void OnViewKey(platform::Window& window, int viewId, const platform::ViewKeyEvent& event) override;

 private:
  void DrawNewCalendar(platform::Window& window);
  void New(platform::Window& window);
  void Record(platform::Window& window);
  void DeleteSettings(platform::Window& window);
  void Author();
  void GetOut(platform::Window& window);
  void FavouriteColours();
  void UpdateDeleteSettingsItem(platform::Window& window);
  // Marks or clears the day and shows it, as a click on it does; the keyboard focus goes to it.
  void ToggleAndShow(platform::Window& window, DayCell& cell);

  Program& program;
  // These live with the window and are made anew when it opens and by New.
  platform::Image canvasBitmap;
  DayCells dayCells;
  CalendarCells calendarCells{dayCells, program.settings};  // the view's cells and their focus
};

}  // namespace kalvor
