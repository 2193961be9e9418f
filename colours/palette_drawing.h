// The favourites grid as drawn in the palette: its geometry, the default cells and the swatches.
#pragma once

#include <optional>

#include "colours/favourites_file.h"
#include "platform/image.h"

namespace kalvor {

constexpr int kPaletteImageWidth = 336;
constexpr int kPaletteImageHeight = 312;

// Assigned afresh whenever the palette opens (and, but for the grid size, by Reset).
struct PaletteGeometry {
  int gridColumns = 13;
  int gridRows = 10;
  int swatchPenWidth = 1;
  int swatchInset = 3;  // a swatch starts this far right of and below its cell's corner
  int cellWidth = 25;
  int cellHeight = 25;
};

struct GridCell {
  int column = 0;
  int row = 0;
};

// Empties the table, then gives every grid cell its default place and white.
void ResetFavouriteCells(FavouriteTable& favouriteCells, const PaletteGeometry& geometry);

void ClearPaletteImage(platform::Image& paletteImage);

// Every grid cell as a swatch outlined in black and filled with its colour, where its stored edges put it.
void DrawFavouriteGrid(platform::Image& paletteImage, const FavouriteTable& favouriteCells,
                       const PaletteGeometry& geometry);

// One swatch with the given outline colour; the hovered one is outlined in white.
void DrawSwatch(platform::Image& image, const FavouriteCell& cell, const PaletteGeometry& geometry,
                platform::Colour outline);

// The grid cell under a point of the palette view, if the point lies on the grid.
std::optional<GridCell> PaletteCellAt(int x, int y, const PaletteGeometry& geometry);

}  // namespace kalvor
