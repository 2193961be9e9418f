// "Mis Colores.log" as found on disk: whatever it holds, loading it never crashes or writes outside
// the favourites table, and the palette then draws the cells where their stored edges put them.
#include <cstddef>
#include <cstdint>

#include "colours/favourites_file.h"
#include "colours/palette_drawing.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kalvor;
  const std::string path = fuzz::WriteInput(data, size, "Mis Colores.log");
  static FavouriteTable favouriteCells;  // 62 KiB: kept off the stack
  LoadFavourites(path, favouriteCells);
  platform::Image paletteImage(kPaletteImageWidth, kPaletteImageHeight);
  ClearPaletteImage(paletteImage);
  DrawFavouriteGrid(paletteImage, favouriteCells, PaletteGeometry{});
  return 0;
}
