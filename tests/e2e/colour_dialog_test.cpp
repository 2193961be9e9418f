// The favourite-colours dialog driven through the real windows: opened from the calendar's menu, its
// palette edited through the colour chooser, the mark colour picked with a right click and used by the
// calendar, the favourites file saved, kept, reset.
#include "colours/colour_dialog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "colours/favourites_file.h"
#include "colours/palette_drawing.h"
#include "mainwindow/main_window.h"
#include "platform/automation.h"
#include "platform/image.h"
#include "settings/settings_file.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/temp_folder.h"

namespace kalvor::testing {
namespace {

namespace automation = platform::automation;
using platform::Colour;
using platform::MouseKind;
using platform::Window;

constexpr const char* kMainCaption = "Kalvor";
constexpr const char* kDialogCaption = "Your favorite colors load them and save them";

constexpr Colour kLightGrey = 0xC0C0C0;
constexpr Colour kChosen = 0x3366CC;
constexpr Colour kOtherChosen = 0x22AA11;
constexpr Colour kDarkestGrey = 0x010101;
constexpr const char* kFavouritesFile = "Mis Colores.log";

// March to August 2024, square days, English.
void WriteSettings(const TempFolder& folder) {
  const auto record = EncodeSettingsRecord(Settings{3, 8, 25, 25, kSquareShape, 6, 5, 111111});
  WriteBytes(folder.File("settings.log"), {record.begin(), record.end()});
}

// Day d of month row m (1 = March): the year row comes first, so month row m has its top at 30 m.
struct Day {
  int left, top;
  int clickX() const { return left + 15; }
  int clickY() const { return top + 15; }
  // Fill that no text covers.
  int fillX() const { return left + 3; }
  int fillY() const { return top + 26; }
};
Day DayCell(int monthRow, int day) {
  return {222 + 30 * (day - 1), 30 * monthRow + 1};
}

// Palette points: the inside and the top-left outline pixel of a swatch, and the gap beside it.
int SwatchX(int column) {
  return 25 * column + 15;
}
int SwatchY(int row) {
  return 25 * row + 15;
}
int OutlineX(int column) {
  return 25 * column + 4;
}
int OutlineY(int row) {
  return 25 * row + 4;
}
int GapX(int column) {
  return 25 * column + 2;
}

void OnMain(std::function<void(Window&)> step) {
  OnWindow(kMainCaption, std::move(step));
}
void OnDialog(std::function<void(Window&)> step) {
  OnWindow(kDialogCaption, std::move(step));
}

void OpenColourDialog() {
  OnMain([](Window& main) { automation::InvokeMenu(main, kCmdFavouriteColours); });
}
void ClickDialog(int id) {
  OnDialog([id](Window& dialog) { automation::Click(dialog, id); });
}
void Palette(MouseKind kind, int x, int y) {
  OnDialog([=](Window& dialog) { automation::Mouse(dialog, kPaletteViewId, kind, x, y); });
}
void MarkDay(const Day& day) {
  OnMain([day](Window& main) {
    automation::Mouse(main, kCalendarViewId, MouseKind::kLeftDown, day.clickX(), day.clickY());
    automation::Mouse(main, kCalendarViewId, MouseKind::kLeftUp, day.clickX(), day.clickY());
  });
}
void ExpectDayFill(const Day& day, Colour colour) {
  OnMain([day, colour](Window& main) {
    EXPECT_EQ(automation::ViewPixel(main, kCalendarViewId, day.fillX(), day.fillY()), colour);
  });
}
// Left click on a swatch; the chooser opens and the next step answers it.
void ChooseSwatchColour(int column, int row, std::optional<Colour> answer) {
  Palette(MouseKind::kLeftDown, SwatchX(column), SwatchY(row));
  automation::Then([answer] { EXPECT_TRUE(automation::AnswerColourChooser(answer)) << "no chooser open"; });
}
void ExpectAnswerBox(platform::MessageAnswer answer, const std::string& text) {
  automation::Then([answer, text] {
    const auto box = automation::AnswerMessageBox(answer);
    ASSERT_TRUE(box.has_value()) << "no message box for: " << text;
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->caption, "Programmer");
    EXPECT_FALSE(box->hasIcon);
  });
}
void ExpectDialogOpen(bool open) {
  automation::Then([open] { EXPECT_EQ(automation::WindowWithCaption(kDialogCaption) != nullptr, open); });
}

// Colours of the selected-colour view: its background and whether some caption ink of the given colour
// shows on it.
void ExpectSelected(Colour background, Colour caption) {
  OnDialog([=](Window& dialog) {
    const platform::Image& view = dialog.ViewSurface(kSelectedColourViewId);
    EXPECT_EQ(view.Pixel(2, 2), background);
    EXPECT_EQ(view.Pixel(view.Width() - 3, view.Height() - 3), background);
    int ink = 0;
    for (int y = 0; y < view.Height(); ++y) {
      for (int x = 0; x < view.Width(); ++x) {
        const Colour pixel = view.Pixel(x, y);
        if (pixel == caption) ++ink;
        if (pixel != caption && pixel != background) ADD_FAILURE() << "stray colour at " << x << "," << y;
      }
    }
    EXPECT_GT(ink, 20) << "the caption shows";
  });
}

// Closes whatever is still open, so that a failed expectation never hangs the run, and ends it.
void GetOutOfEverything() {
  automation::Then([] {
    bool leftOpen = false;
    while (automation::AnswerMessageBox(platform::MessageAnswer::kNo) ||
           automation::AnswerMessageBox(platform::MessageAnswer::kOk)) {
      leftOpen = true;
    }
    while (automation::AnswerColourChooser(std::nullopt)) leftOpen = true;
    if (Window* dialog = automation::WindowWithCaption(kDialogCaption)) {
      leftOpen = true;
      dialog->End(0);
    }
    EXPECT_FALSE(leftOpen) << "something was still open at the end";
    if (Window* main = automation::WindowWithCaption(kMainCaption)) automation::InvokeMenu(*main, kCmdGetOut);
  });
}

void RunToTheEnd(const TempFolder& folder) {
  GetOutOfEverything();
  EXPECT_EQ(RunKalvor(folder.Path()), 0);
  EXPECT_EQ(automation::PendingSteps(), 0u);
  automation::ClearSteps();
}

std::vector<std::uint8_t> FileOfGrid(const std::function<void(FavouriteTable&)>& change) {
  auto cells = std::make_unique<FavouriteTable>();
  ResetFavouriteCells(*cells, PaletteGeometry{});
  change(*cells);
  return FavouriteFileContent(*cells, 13, 10);
}

TEST(ColourDialogE2e, FirstOpeningShowsTheWhiteGridAndTheLayout) {
  TempFolder folder;
  WriteSettings(folder);
  OpenColourDialog();
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ClientGeometry(dialog).width, 350);
    EXPECT_EQ(automation::ClientGeometry(dialog).height, 357);
    EXPECT_FALSE(automation::WindowFrame(dialog).closeBox);
    const auto palette = automation::ControlGeometry(dialog, kPaletteViewId);
    EXPECT_EQ(std::vector<int>({palette.x, palette.y, palette.width, palette.height}),
              std::vector<int>({8, 8, 336, 260}));
    const auto reset = automation::ControlGeometry(dialog, kResetButtonId);
    EXPECT_EQ(std::vector<int>({reset.x, reset.y, reset.width, reset.height}),
              std::vector<int>({136, 328, 72, 24}));
    EXPECT_EQ(dialog.Text(kFileButtonId), "File");
    EXPECT_EQ(dialog.Text(kResetButtonId), "Reset");
    EXPECT_EQ(dialog.Text(kGetOutButtonId), "Get out");
    EXPECT_FALSE(automation::ControlEnabled(dialog, kFileButtonId));
    EXPECT_TRUE(automation::ControlEnabled(dialog, kResetButtonId));
    int swatches = 0;
    for (int row = 0; row < 10; ++row) {
      for (int column = 0; column < 13; ++column) {
        const bool drawn =
            automation::ViewPixel(dialog, kPaletteViewId, OutlineX(column), OutlineY(row)) ==
                platform::kBlack &&
            automation::ViewPixel(dialog, kPaletteViewId, OutlineX(column) + 21, OutlineY(row) + 21) ==
                platform::kBlack &&
            automation::ViewPixel(dialog, kPaletteViewId, SwatchX(column), SwatchY(row)) ==
                platform::kWhite &&
            automation::ViewPixel(dialog, kPaletteViewId, GapX(column), SwatchY(row)) == platform::kWhite;
        swatches += drawn ? 1 : 0;
      }
    }
    EXPECT_EQ(swatches, 130);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, 330, 100), platform::kWhite);
  });
  ExpectSelected(platform::kWhite, platform::kBlack);
  // The command does nothing while the dialog is open.
  OpenColourDialog();
  automation::Then([] {
    int dialogs = 0;
    for (const std::string& caption : automation::OpenWindowCaptions()) dialogs += caption == kDialogCaption;
    EXPECT_EQ(dialogs, 1);
  });
  // Unchanged: Get out closes at once, and the command opens it again.
  ClickDialog(kGetOutButtonId);
  automation::Then([] { EXPECT_FALSE(automation::OpenMessageBox().has_value()); });
  ExpectDialogOpen(false);
  OpenColourDialog();
  ExpectDialogOpen(true);
  ClickDialog(kGetOutButtonId);
  ExpectDialogOpen(false);
  RunToTheEnd(folder);
  EXPECT_FALSE(Exists(folder.File(kFavouritesFile)));
}

TEST(ColourDialogE2e, AChosenColourIsFiledPickedMarkedAndComesBackNextTime) {
  TempFolder folder;
  WriteSettings(folder);
  const Day day = DayCell(1, 1);  // March 1
  OpenColourDialog();
  Palette(MouseKind::kLeftDown, SwatchX(3), SwatchY(2));
  OnDialog([](Window& dialog) {
    const auto chooser = automation::OpenColourChooser();
    ASSERT_TRUE(chooser.has_value());
    EXPECT_EQ(chooser->initial, 0x808080u);
    EXPECT_EQ(chooser->x, dialog.ScreenX() + 30);
    EXPECT_EQ(chooser->y, dialog.ScreenY() + 30);
    automation::AnswerColourChooser(kChosen);
  });
  OnDialog([](Window& dialog) {
    EXPECT_TRUE(automation::ControlEnabled(dialog, kFileButtonId));
    // Not redrawn until the pointer moves over the grid.
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(3), SwatchY(2)), platform::kWhite);
  });
  Palette(MouseKind::kMove, SwatchX(3), SwatchY(2));
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(3), SwatchY(2)), kChosen);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, OutlineX(3), OutlineY(2)), platform::kWhite);
  });
  // Off the grid the highlight stays; over another cell it moves.
  Palette(MouseKind::kMove, 330, 255);
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, OutlineX(3), OutlineY(2)), platform::kWhite);
  });
  Palette(MouseKind::kMove, SwatchX(0), SwatchY(0));
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, OutlineX(3), OutlineY(2)), platform::kBlack);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(3), SwatchY(2)), kChosen);
  });
  // The chooser changed the grid, not the mark colour.
  MarkDay(DayCell(1, 2));
  ExpectDayFill(DayCell(1, 2), kLightGrey);
  Palette(MouseKind::kRightDown, SwatchX(3), SwatchY(2));
  ExpectSelected(kChosen, platform::kBlack);
  MarkDay(day);
  ExpectDayFill(day, kChosen);
  ClickDialog(kFileButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kOk, "My favorite colors are filed");
  OnDialog([&folder](Window& dialog) {
    EXPECT_FALSE(automation::ControlEnabled(dialog, kFileButtonId));
    const auto bytes = ReadBytes(folder.File(kFavouritesFile));
    ASSERT_EQ(bytes.size(), 3120u);
    EXPECT_EQ(DecodeFavouriteCell(bytes.data() + (2 * 13 + 3) * 24).colour, kChosen);
  });
  ClickDialog(kGetOutButtonId);  // saved: no question
  ExpectDialogOpen(false);
  OnMain([](Window& main) { automation::InvokeMenu(main, kCmdRecord); });
  RunToTheEnd(folder);

  // The next run: the day in its colour, the swatch loaded from the file.
  ExpectDayFill(day, kChosen);
  OpenColourDialog();
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(3), SwatchY(2)), kChosen);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(4), SwatchY(2)), platform::kWhite);
    EXPECT_FALSE(automation::ControlEnabled(dialog, kFileButtonId));
  });
  ExpectSelected(platform::kWhite, platform::kBlack);
  ClickDialog(kGetOutButtonId);
  RunToTheEnd(folder);
}

TEST(ColourDialogE2e, RightClickPicksThePixelAsShown) {
  TempFolder folder;
  WriteSettings(folder);
  WriteBytes(folder.File(kFavouritesFile), FileOfGrid([](FavouriteTable& cells) {
               cells[1][1].colour = platform::kBlack;
               cells[2][1].colour = kDarkestGrey;
             }));
  OpenColourDialog();
  // Only black itself gets the white caption; the darkest grey keeps the black one.
  Palette(MouseKind::kRightDown, SwatchX(2), SwatchY(1));
  ExpectSelected(kDarkestGrey, platform::kBlack);
  // A black swatch: black view, white caption, black days.
  Palette(MouseKind::kRightDown, SwatchX(1), SwatchY(1));
  ExpectSelected(platform::kBlack, platform::kWhite);
  MarkDay(DayCell(1, 1));
  ExpectDayFill(DayCell(1, 1), platform::kBlack);
  // Between swatches and below the grid: white.
  Palette(MouseKind::kRightDown, GapX(5), SwatchY(5));
  ExpectSelected(platform::kWhite, platform::kBlack);
  MarkDay(DayCell(1, 2));
  ExpectDayFill(DayCell(1, 2), platform::kWhite);
  Palette(MouseKind::kRightDown, SwatchX(1), SwatchY(1));
  Palette(MouseKind::kRightDown, 100, 255);
  ExpectSelected(platform::kWhite, platform::kBlack);
  // An outline: black; the highlighted outline: white.
  Palette(MouseKind::kRightDown, OutlineX(6), SwatchY(4));
  MarkDay(DayCell(1, 3));
  ExpectDayFill(DayCell(1, 3), platform::kBlack);
  Palette(MouseKind::kMove, SwatchX(6), SwatchY(4));
  Palette(MouseKind::kRightDown, OutlineX(6), SwatchY(4));
  MarkDay(DayCell(1, 4));
  ExpectDayFill(DayCell(1, 4), platform::kWhite);
  // Picking changed nothing of the grid: Get out does not ask.
  OnDialog([](Window& dialog) { EXPECT_FALSE(automation::ControlEnabled(dialog, kFileButtonId)); });
  ClickDialog(kGetOutButtonId);
  ExpectDialogOpen(false);
  RunToTheEnd(folder);
}

TEST(ColourDialogE2e, GetOutAsksAfterAChangeAndNoKeepsTheOldFile) {
  TempFolder folder;
  WriteSettings(folder);
  const auto old = FileOfGrid([](FavouriteTable& cells) { cells[0][0].colour = kOtherChosen; });
  WriteBytes(folder.File(kFavouritesFile), old);
  OpenColourDialog();
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(0), SwatchY(0)), kOtherChosen);
  });
  // A cancelled chooser changes nothing.
  ChooseSwatchColour(2, 2, std::nullopt);
  OnDialog([](Window& dialog) { EXPECT_FALSE(automation::ControlEnabled(dialog, kFileButtonId)); });
  ChooseSwatchColour(2, 2, kChosen);
  ClickDialog(kGetOutButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kNo, "To save changes before exiting ?");
  ExpectDialogOpen(false);
  automation::Then([&] { EXPECT_EQ(ReadBytes(folder.File(kFavouritesFile)), old); });
  // Yes saves.
  OpenColourDialog();
  ChooseSwatchColour(12, 9, kChosen);
  ClickDialog(kGetOutButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kYes, "To save changes before exiting ?");
  ExpectDialogOpen(false);
  automation::Then([&] {
    const auto bytes = ReadBytes(folder.File(kFavouritesFile));
    ASSERT_EQ(bytes.size(), 3120u);
    EXPECT_EQ(DecodeFavouriteCell(bytes.data() + 129 * 24).colour, kChosen);
    EXPECT_EQ(DecodeFavouriteCell(bytes.data()).colour, kOtherChosen);
    EXPECT_EQ(DecodeFavouriteCell(bytes.data() + (2 * 13 + 2) * 24).colour, platform::kWhite);
  });
  RunToTheEnd(folder);
}

TEST(ColourDialogE2e, ResetAsksAndYesRemovesTheFileAndWhitensEverything) {
  TempFolder folder;
  WriteSettings(folder);
  const auto old = FileOfGrid([](FavouriteTable& cells) { cells[1][1].colour = 0; });
  WriteBytes(folder.File(kFavouritesFile), old);
  const std::string question = "RESET really want ?\r\nAll your favorite colors will be lost";
  OpenColourDialog();
  Palette(MouseKind::kRightDown, SwatchX(1), SwatchY(1));
  ClickDialog(kResetButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kNo, question);
  OnDialog([&](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(1), SwatchY(1)), platform::kBlack);
    EXPECT_EQ(ReadBytes(folder.File(kFavouritesFile)), old);
  });
  ExpectSelected(platform::kBlack, platform::kWhite);
  // A change before the reset is still pending after it.
  ChooseSwatchColour(4, 4, kChosen);
  ClickDialog(kResetButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kYes, question);
  OnDialog([&](Window& dialog) {
    EXPECT_FALSE(Exists(folder.File(kFavouritesFile)));
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(1), SwatchY(1)), platform::kWhite);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(4), SwatchY(4)), platform::kWhite);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, OutlineX(1), OutlineY(1)), platform::kBlack);
    EXPECT_TRUE(automation::ControlEnabled(dialog, kFileButtonId));
  });
  ExpectSelected(platform::kWhite, platform::kBlack);
  MarkDay(DayCell(2, 5));
  ExpectDayFill(DayCell(2, 5), platform::kWhite);
  ClickDialog(kGetOutButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kNo, "To save changes before exiting ?");
  ExpectDialogOpen(false);
  RunToTheEnd(folder);
  EXPECT_FALSE(Exists(folder.File(kFavouritesFile)));
}

TEST(ColourDialogE2e, ACloseRequestActsAsGetOut) {
  TempFolder folder;
  WriteSettings(folder);
  OpenColourDialog();
  OnDialog([](Window& dialog) { automation::RequestClose(dialog); });
  ExpectDialogOpen(false);
  OpenColourDialog();
  ChooseSwatchColour(0, 0, kChosen);
  OnDialog([](Window& dialog) { automation::RequestClose(dialog); });
  ExpectAnswerBox(platform::MessageAnswer::kYes, "To save changes before exiting ?");
  ExpectDialogOpen(false);
  // The flag was cleared: the command opens the dialog again, with the saved colour.
  OpenColourDialog();
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(0), SwatchY(0)), kChosen);
  });
  ClickDialog(kGetOutButtonId);
  RunToTheEnd(folder);
}

TEST(ColourDialogE2e, TheChooserBlocksOnlyTheColourDialog) {
  TempFolder folder;
  WriteSettings(folder);
  OpenColourDialog();
  Palette(MouseKind::kLeftDown, SwatchX(7), SwatchY(7));
  // The calendar works while the chooser is open, and also while the dialog is.
  MarkDay(DayCell(3, 10));
  ExpectDayFill(DayCell(3, 10), kLightGrey);
  // A second click on the palette opens no second chooser; nor does a close request end the dialog
  // under it.
  Palette(MouseKind::kLeftDown, SwatchX(8), SwatchY(8));
  OnDialog([](Window& dialog) { automation::RequestClose(dialog); });
  automation::Then([] {
    EXPECT_TRUE(automation::AnswerColourChooser(kChosen));
    EXPECT_FALSE(automation::OpenMessageBox().has_value());
  });
  OnDialog([](Window& dialog) {
    EXPECT_FALSE(automation::OpenColourChooser().has_value());
    EXPECT_TRUE(automation::ControlEnabled(dialog, kFileButtonId));
  });
  Palette(MouseKind::kMove, SwatchX(0), SwatchY(0));
  OnDialog([](Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(7), SwatchY(7)), kChosen);
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, SwatchX(8), SwatchY(8)), platform::kWhite);
  });
  MarkDay(DayCell(3, 11));
  ExpectDayFill(DayCell(3, 11), kLightGrey);
  ClickDialog(kGetOutButtonId);
  ExpectAnswerBox(platform::MessageAnswer::kNo, "To save changes before exiting ?");
  RunToTheEnd(folder);
}

}  // namespace
}  // namespace kalvor::testing
