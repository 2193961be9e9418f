// The Bitmap command: asks for a name and writes the calendar view as an uncompressed 24-bit BMP.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/window.h"

namespace kalvor {

constexpr int kBitmapHeaderSize = 54;
constexpr std::size_t kMaxBitmapNameCharacters = 259;
constexpr const char* kBitmapExtension = ".bmp";

// The whole file: 14-byte file header, 40-byte information header, rows bottom-up.
std::vector<std::uint8_t> EncodeBitmapFile(const platform::Image& picture);

// Writes the view's picture to `path` in one step: the file is complete or not there (or as before).
// A read-only file of that name is refused with 70, "Permission denied", and left as it is.
platform::ReplaceResult SaveViewAsBitmap(const std::string& path, const platform::Image& viewSurface);

// The typed name cut to 259 characters, never inside a UTF-8 character.
std::string CutBitmapFileName(const std::string& typed);

// The name with ".bmp" appended; no folder is put in front, so a bare name lands in the current folder.
std::string BitmapPathFor(const std::string& bitmapFileName);

// The Bitmap command on the main window's calendar view; does nothing while the dialog is open.
void ExportBitmap(Program& program, platform::Window& mainWindow);

}  // namespace kalvor
