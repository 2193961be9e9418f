// The favourite-colours palette: a 13 x 10 grid of swatches kept in "Mis Colores.log". A left click
// on a swatch sets its colour through the colour chooser; a right click anywhere picks the colour
// under the pointer as the mark colour. The dialog has no owner, so the calendar stays usable.
#include "colours/colour_dialog.h"

#include <vector>

#include "app/file_error.h"
#include "app/notice.h"
#include "app/text_tables.h"
#include "colours/favourites_file.h"
#include "colours/palette_drawing.h"
#include "colours/text_block.h"
#include "platform/colour_chooser.h"
#include "platform/files.h"
#include "platform/window.h"

namespace kalvor {

namespace {

using platform::ControlKind;
using platform::ControlSpec;

constexpr int kClientWidth = 350;
constexpr int kClientHeight = 357;

constexpr platform::FontSpec kButtonFont = {"MS Sans Serif", 9, true};
constexpr platform::Colour kButtonTextColour = platform::kDefaultColour;
constexpr platform::Colour kButtonBackground = platform::kDefaultColour;
constexpr platform::FontSpec kCaptionFont = {"Tahoma", 12, true};
constexpr int kCaptionLeftMargin = 1;
constexpr int kCaptionTop = 12;

// Both views draw in black on white.
constexpr platform::Colour kViewInk = platform::kBlack;
constexpr platform::Colour kViewPaper = platform::kWhite;

// The chooser opens a little below and right of the dialog's corner, on a neutral grey.
constexpr int kChooserOffset = 30;
constexpr platform::Colour kChooserInitialColour = 0x808080;

// Texts are set by SetColourDialogTexts.
const std::vector<ControlSpec> kColourDialogControls = {
    {kPaletteViewId, ControlKind::kGraphicView, 8, 8, 336, 260, "", {}, kViewInk, kViewPaper},
    {kSelectedColourViewId, ControlKind::kGraphicView, 8, 270, 336, 50, "", {}, kViewInk, kViewPaper},
    {kFileButtonId, ControlKind::kButton, 8, 328, 72, 24, "", kButtonFont, kButtonTextColour,
     kButtonBackground},
    {kResetButtonId, ControlKind::kButton, 136, 328, 72, 24, "", kButtonFont, kButtonTextColour,
     kButtonBackground},
    {kGetOutButtonId, ControlKind::kButton, 272, 328, 72, 24, "", kButtonFont, kButtonTextColour,
     kButtonBackground},
};

void SetColourDialogTexts(platform::Window& window, int languageIndex) {
  window.SetCaption(Text(text::ttlFavouriteColours, languageIndex));
  window.SetText(kFileButtonId, Text(text::lblFile, languageIndex));
  window.SetText(kResetButtonId, Text(text::lblReset, languageIndex));
  window.SetText(kGetOutButtonId, Text(text::lblGetOut, languageIndex));
}

class ColourDialog : public platform::WindowHandler {
 public:
  explicit ColourDialog(Program& owner) : program(owner) {}

  void OnInit(platform::Window& window) override;
  void OnCommand(platform::Window& window, int id, int notification) override;
  void OnCloseRequest(platform::Window& window) override { GetOut(window); }
  void OnViewMouse(platform::Window& window, int viewId, const platform::MouseEvent& event) override;

 private:
  int Language() const { return program.settings.languageIndex; }
  bool Save() const;
  void ShowFreshGrid(platform::Window& window);
  void ShowSelectedColour(platform::Window& window, platform::Colour colour);
  void HighlightCell(platform::Window& window, const GridCell& cell);
  void ChooseCellColour(platform::Window& window, const GridCell& cell);
  void PickMarkColour(platform::Window& window, int x, int y);
  void File(platform::Window& window);
  void GetOut(platform::Window& window);
  void Reset(platform::Window& window);

  Program& program;
  FavouriteTable favouriteCells{};
  PaletteGeometry geometry;
  platform::Image paletteImage;
  bool favouritesChanged = false;
  bool chooserBusy = false;
  // Message boxes leave the dialog usable, so a second Get out may arrive after the first ended it.
  bool ended = false;
};

bool ColourDialog::Save() const {
  return SaveFavourites(program.FavouritesPath(), favouriteCells, geometry.gridColumns, geometry.gridRows,
                        Language());
}

void ColourDialog::OnInit(platform::Window& window) {
  SetColourDialogTexts(window, Language());
  geometry = PaletteGeometry{};
  favouritesChanged = false;
  window.SetEnabled(kFileButtonId, false);
  if (platform::FileExists(program.FavouritesPath())) {
    LoadFavourites(program.FavouritesPath(), favouriteCells);
  } else {
    ResetFavouriteCells(favouriteCells, geometry);
  }
  ShowFreshGrid(window);
  // Whatever the mark colour is, the dialog opens showing white.
  ShowSelectedColour(window, platform::kWhite);
}

void ColourDialog::ShowFreshGrid(platform::Window& window) {
  paletteImage = platform::Image(kPaletteImageWidth, kPaletteImageHeight);
  ClearPaletteImage(paletteImage);
  DrawFavouriteGrid(paletteImage, favouriteCells, geometry);
  window.ShowImage(kPaletteViewId, paletteImage);
}

void ColourDialog::ShowSelectedColour(platform::Window& window, platform::Colour colour) {
  window.ViewSurface(kSelectedColourViewId).Fill(colour);
  const platform::Colour captionColour = colour == platform::kBlack ? platform::kWhite : platform::kBlack;
  DrawTextBlock(window, kSelectedColourViewId, Text(text::lblSelectedColour, Language()), alignCentre,
                kCaptionLeftMargin, kCaptionTop, kCaptionFont, captionColour);
}

void ColourDialog::OnCommand(platform::Window& window, int id, int notification) {
  if (notification != platform::kNotifyClicked || ended) return;
  switch (id) {
    case kFileButtonId:
      File(window);
      break;
    case kGetOutButtonId:
      GetOut(window);
      break;
    case kResetButtonId:
      Reset(window);
      break;
  }
}

// A failed save has shown its error; the changes then stay unsaved, and Get out still offers to save.
void ColourDialog::File(platform::Window& window) {
  if (!Save()) return;
  favouritesChanged = false;
  window.SetEnabled(kFileButtonId, false);
  ShowNotice(Text(text::msgColoursFiled, Language()), Language());
}

void ColourDialog::GetOut(platform::Window& window) {
  // The chooser runs inside our own handling: ending the dialog under it is not ours to do.
  if (ended || chooserBusy) return;
  // A save that fails keeps the dialog open, so the changes are not lost with it.
  if (favouritesChanged && AskYesNo(Text(text::msgSaveBeforeExit, Language()), Language()) && !Save()) return;
  if (ended) return;
  ended = true;
  program.colourDialogOpen = false;
  window.End(0);
}

void ColourDialog::Reset(platform::Window& window) {
  const std::string question = std::string(Text(text::msgResetConfirm, 1, Language())) + "\r\n" +
                               Text(text::msgResetConfirm, 2, Language());
  if (!AskYesNo(question, Language())) return;
  DeleteDataFile(program.FavouritesPath());
  const PaletteGeometry defaults;
  geometry.swatchPenWidth = defaults.swatchPenWidth;
  geometry.swatchInset = defaults.swatchInset;
  geometry.cellWidth = defaults.cellWidth;
  geometry.cellHeight = defaults.cellHeight;
  ResetFavouriteCells(favouriteCells, geometry);
  ShowFreshGrid(window);
  program.currentMarkColour = platform::kWhite;
  ShowSelectedColour(window, platform::kWhite);
}

void ColourDialog::OnViewMouse(platform::Window& window, int viewId, const platform::MouseEvent& event) {
  if (viewId != kPaletteViewId || ended) return;
  const std::optional<GridCell> cell = PaletteCellAt(event.x, event.y, geometry);
  switch (event.kind) {
    case platform::MouseKind::kMove:
      // Off the grid the last highlight stays.
      if (cell) HighlightCell(window, *cell);
      break;
    case platform::MouseKind::kLeftDown:
      if (chooserBusy) break;
      chooserBusy = true;
      if (cell) ChooseCellColour(window, *cell);
      chooserBusy = false;
      break;
    case platform::MouseKind::kRightDown:
      PickMarkColour(window, event.x, event.y);
      break;
    default:
      break;
  }
}

void ColourDialog::HighlightCell(platform::Window& window, const GridCell& cell) {
  ClearPaletteImage(paletteImage);
  DrawFavouriteGrid(paletteImage, favouriteCells, geometry);
  window.ShowImage(kPaletteViewId, paletteImage);
  // Straight onto the view, so the picture itself never carries the highlight.
  DrawSwatch(window.ViewSurface(kPaletteViewId), favouriteCells[cell.column][cell.row], geometry,
             platform::kWhite);
  window.RepaintView(kPaletteViewId);
}

void ColourDialog::ChooseCellColour(platform::Window& window, const GridCell& cell) {
  platform::Colour chosen = 0;
  if (!platform::ChooseColour(window, window.ScreenX() + kChooserOffset, window.ScreenY() + kChooserOffset,
                              kChooserInitialColour, program.chooserCustomColours, chosen)) {
    return;
  }
  // Shown at the next pointer movement over the grid.
  favouriteCells[cell.column][cell.row].colour = chosen;
  favouritesChanged = true;
  window.SetEnabled(kFileButtonId, true);
}

void ColourDialog::PickMarkColour(platform::Window& window, int x, int y) {
  // The colour as shown, so the highlighted swatch's white outline picks white.
  program.currentMarkColour = window.ViewSurface(kPaletteViewId).Pixel(x, y);
  ShowSelectedColour(window, program.currentMarkColour);
}

}  // namespace

void ShowColourDialog(Program& program) {
  platform::WindowSpec spec;
  spec.caption = Text(text::ttlFavouriteColours, program.settings.languageIndex);
  spec.units = platform::Units::kPixels;
  spec.clientWidth = kClientWidth;
  spec.clientHeight = kClientHeight;
  spec.placement = platform::Placement::kWorkAreaCentre;
  spec.closeBox = false;
  ColourDialog dialog(program);
  platform::Window::RunModal(spec, kColourDialogControls, {}, dialog);
  // However the loop ended, the menu command must be able to open the dialog again.
  program.colourDialogOpen = false;
}

}  // namespace kalvor
