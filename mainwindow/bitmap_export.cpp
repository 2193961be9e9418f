#include "mainwindow/bitmap_export.h"

#include <algorithm>

#include "app/file_error.h"
#include "app/notice.h"
#include "app/text_tables.h"
#include "mainwindow/file_name_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/little_endian.h"

namespace kalvor {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPlanes = 1;
constexpr int kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;

bool IsContinuationByte(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmapFile(const platform::Image& picture) {
  const std::size_t stride = picture.Stride();
  const std::size_t rowBytes = static_cast<std::size_t>(picture.Width()) * kBytesPerPixel;
  const std::size_t fileSize = stride * picture.Height() + kBitmapHeaderSize;
  std::vector<std::uint8_t> out(fileSize, 0);  // reserved fields, zero fields and row padding stay 0
  out[0] = 'B';
  out[1] = 'M';
  platform::Put32(&out[2], static_cast<std::uint32_t>(fileSize));
  platform::Put32(&out[10], kBitmapHeaderSize);
  platform::Put32(&out[kFileHeaderSize], kInfoHeaderSize);
  platform::Put32(&out[18], picture.Width());
  platform::Put32(&out[22], picture.Height());  // positive: bottom row first
  platform::Put16(&out[26], kPlanes);
  platform::Put16(&out[28], kBitsPerPixel);
  // Pixel rows already are blue, green, red with the same stride.
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    std::copy(row, row + rowBytes, out.begin() + kBitmapHeaderSize + (picture.Height() - 1 - y) * stride);
  }
  return out;
}

platform::ReplaceResult SaveViewAsBitmap(const std::string& path, const platform::Image& viewSurface) {
  return platform::ReplaceWholeFile(path, EncodeBitmapFile(viewSurface), platform::ReadOnlyTarget::kRefuse);
}

std::string CutBitmapFileName(const std::string& typed) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < typed.size(); ++at) {
    if (IsContinuationByte(static_cast<unsigned char>(typed[at]))) continue;
    if (characters == kMaxBitmapNameCharacters) return typed.substr(0, at);
    ++characters;
  }
  return typed;
}

std::string BitmapPathFor(const std::string& bitmapFileName) {
  return bitmapFileName + kBitmapExtension;
}

void ExportBitmap(Program& program, platform::Window& mainWindow) {
  if (program.fileNameDialogOpen) return;
  program.fileNameDialogOpen = true;
  const FileNameAnswer answer = AskBitmapFileName(program.settings.languageIndex, program.fileNameDialogOpen);
  program.fileNameDialogOpen = false;
  if (!answer.fileNameDialogAccepted) return;

  const int languageIndex = program.settings.languageIndex;
  const platform::ReplaceResult result =
      SaveViewAsBitmap(BitmapPathFor(answer.bitmapFileName), mainWindow.ViewSurface(kCalendarViewId));
  if (result.ok()) {
    ShowNotice(Text(text::msgBitmapSaved, languageIndex), languageIndex);
  } else {
    ShowFileError(result.error, languageIndex);
  }
}

}  // namespace kalvor
