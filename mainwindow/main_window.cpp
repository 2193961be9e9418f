#include "mainwindow/main_window.h"

#include "app/text_tables.h"
#include "calendar/calendar_drawing.h"
#include "mainwindow/main_commands.h"

namespace kalvor {

namespace {

// Client area before the menu bar takes its strip, in pixels.
constexpr int kClientWidth = 1204;
constexpr int kClientHeight = 752;
constexpr int kViewX = 5;
constexpr int kViewY = 5;

// clang-format off
const std::vector<platform::ControlSpec> kMainWindowControls = {
  // id             kind                                 x       y       width         height         text font
  {kCalendarViewId, platform::ControlKind::kGraphicView, kViewX, kViewY, kCanvasWidth, kCanvasHeight, "", {},
   platform::kBlack, platform::kWhite},
  {kStatusBarId,    platform::ControlKind::kStatusBar,   0,      0,      0,            0,             "", {}},
};
// clang-format on

constexpr int kSeparator = 0;

// One menu item: its command and its row in the text table (0 for a separator).
struct MenuRow {
  int id;
  int textRow;
};

// Operations reads New, Bitmap, Record, which is not the order of the text table.
// clang-format off
constexpr MenuRow kOperationsMenu[] = {
  {kCmdNew,            2},
  {kSeparator,         0},
  {kCmdBitmap,         4},
  {kSeparator,         0},
  {kCmdRecord,         3},
  {kSeparator,         0},
  {kCmdDeleteSettings, 6},
  {kSeparator,         0},
  {kCmdAuthor,         7},
  {kSeparator,         0},
  {kCmdGetOut,         8},
};
constexpr MenuRow kColoursMenu[] = {
  {kCmdFavouriteColours, 2},
};
// clang-format on
constexpr int kMenuTitleRow = 1;

template <std::size_t Rows, std::size_t N>
platform::Menu MakeMenu(const std::array<LanguageRow, N>& texts, const MenuRow (&rows)[Rows],
                        int languageIndex) {
  platform::Menu menu{Text(texts, kMenuTitleRow, languageIndex), {}};
  for (const MenuRow& row : rows) {
    menu.items.push_back({row.id, row.id == kSeparator ? "-" : Text(texts, row.textRow, languageIndex)});
  }
  return menu;
}

platform::WindowSpec MainWindowSpec() {
  platform::WindowSpec spec;
  spec.caption = kMainWindowCaption;
  spec.units = platform::Units::kPixels;
  spec.clientWidth = kClientWidth;
  spec.clientHeight = kClientHeight;
  spec.placement = platform::Placement::kScreenCentre;
  // A fixed size and no close box: the window is left through Get out.
  spec.minimiseBox = true;
  spec.closeBox = false;
  return spec;
}

}  // namespace

std::vector<platform::Menu> BuildMainMenu(int languageIndex) {
  return {MakeMenu(text::menuOperations, kOperationsMenu, languageIndex),
          MakeMenu(text::menuColours, kColoursMenu, languageIndex)};
}

int OpenMainWindow(Program& program) {
  MainWindowHandler handler(program);
  SpeakLanguage(program.settings.languageIndex);  // the colour chooser's texts among others
  return platform::Window::RunModal(MainWindowSpec(), kMainWindowControls,
                                    BuildMainMenu(program.settings.languageIndex), handler);
}

}  // namespace kalvor
