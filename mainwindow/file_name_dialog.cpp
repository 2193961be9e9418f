#include "mainwindow/file_name_dialog.h"

#include <vector>

#include "app/notice.h"
#include "app/text_tables.h"
#include "mainwindow/bitmap_export.h"
#include "platform/window.h"

namespace kalvor {

namespace {

// Dialog units.
constexpr int kDialogX = 70;
constexpr int kDialogY = 70;
constexpr int kDialogWidth = 235;
constexpr int kDialogHeight = 67;

constexpr platform::FontSpec kDialogFont = {"MS Sans Serif", 9, true};

constexpr int kAccepted = 1;
constexpr int kCancelled = 0;

// clang-format off
const std::vector<platform::ControlSpec> kFileNameControls = {
  // id               kind                             x    y   width height text font
  {kFileNameLabelId,  platform::ControlKind::kLabel,   5,   5,  225,  15,    "", kDialogFont},
  {kFileNameEditId,   platform::ControlKind::kEdit,    5,   20, 225,  13,    "", kDialogFont},
  {kFileNameCancelId, platform::ControlKind::kButton,  5,   45, 50,   15,    "", kDialogFont},
  {kFileNameAcceptId, platform::ControlKind::kButton,  180, 45, 50,   15,    "", kDialogFont},
};
// clang-format on

platform::WindowSpec FileNameDialogSpec() {
  platform::WindowSpec spec;
  spec.units = platform::Units::kDialogUnits;
  spec.clientWidth = kDialogWidth;
  spec.clientHeight = kDialogHeight;
  spec.placement = platform::Placement::kAt;
  spec.x = kDialogX;
  spec.y = kDialogY;
  spec.closeBox = true;
  spec.font = kDialogFont;
  // A standard dialog's keys: Enter in the name box accepts, Escape cancels.
  spec.acceptButton = kFileNameAcceptId;
  spec.cancelButton = kFileNameCancelId;
  return spec;
}

void SetFileNameDialogTexts(platform::Window& window, int languageIndex) {
  window.SetCaption(Text(text::ttlFileOperation, languageIndex));
  window.SetText(kFileNameLabelId, Text(text::lblNameWithoutExtension, languageIndex));
  window.SetText(kFileNameEditId, "");
  window.SetText(kFileNameCancelId, Text(text::lblCancel, languageIndex));
  window.SetText(kFileNameAcceptId, Text(text::lblAccept, languageIndex));
}

class FileNameDialogHandler : public platform::WindowHandler {
 public:
  FileNameDialogHandler(int language, bool& openFlag)
      : languageIndex(language), fileNameDialogOpen(openFlag) {}

  const FileNameAnswer& Answer() const { return answer; }

  void OnInit(platform::Window& window) override { SetFileNameDialogTexts(window, languageIndex); }

  void OnCommand(platform::Window& window, int id, int notification) override {
    if (notification != platform::kNotifyClicked) return;
    if (id == kFileNameCancelId) OnCancel(window);
    if (id == kFileNameAcceptId) OnAccept(window);
  }

  // The close box is Cancel.
  void OnCloseRequest(platform::Window& window) override { OnCancel(window); }

 private:
  void OnCancel(platform::Window& window) {
    answer = {};
    fileNameDialogOpen = false;
    window.End(kCancelled);
  }

  void OnAccept(platform::Window& window) {
    const std::string name = CutBitmapFileName(window.Text(kFileNameEditId));
    if (name.empty()) {
      ShowNotice(Text(text::msgFileNameRequired, languageIndex), languageIndex);
      return;
    }
    answer = {true, name};
    fileNameDialogOpen = false;
    window.End(kAccepted);
  }

  int languageIndex;
  bool& fileNameDialogOpen;
  FileNameAnswer answer;
};

}  // namespace

FileNameAnswer AskBitmapFileName(int languageIndex, bool& fileNameDialogOpen) {
  FileNameDialogHandler handler(languageIndex, fileNameDialogOpen);
  platform::Window::RunModal(FileNameDialogSpec(), kFileNameControls, {}, handler);
  return handler.Answer();
}

}  // namespace kalvor
