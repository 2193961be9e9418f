// A window moved to a display of another scale (WM_DPICHANGED): it takes the place the system suggests,
// its controls and fonts grow with the scale, and its graphic view shows the same picture enlarged, the
// mouse still landing on the picture's pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/automation.h"
#include "platform/win32/win32_window.h"

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::MouseEvent;
using platform::Window;
namespace automation = platform::automation;

constexpr int kLabelId = 11;
constexpr int kViewId = 12;
constexpr int kClientWidth = 240;
constexpr int kClientHeight = 130;
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 50;
constexpr platform::FontSpec kLabelFont = {"Tahoma", 12, true};  // 16 pixels at 96 dpi

// Every pixel its own colour, so any pixel shown in the wrong place shows.
platform::Image Pattern() {
  platform::Image picture(kPictureWidth, kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) picture.SetPixel(x, y, platform::MakeColour(x * 2, y * 5, 77));
  }
  return picture;
}

class Recorder : public platform::WindowHandler {
 public:
  void OnInit(Window& window) override { window.ShowImage(kViewId, Pattern()); }
  void OnViewMouse(Window&, int, const MouseEvent& event) override { seen.push_back(event); }
  std::vector<MouseEvent> seen;
};

RECT ScreenRectOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return rect;
}

LONG FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// What the system sends: the new scale twice, and the window's new place on screen.
void MoveToScale(HWND window, int dpi, int clientWidth, int clientHeight) {
  RECT place{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&place, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  OffsetRect(&place, 30 - place.left, 40 - place.top);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

TEST(DisplayChange, TheWindowGrowsWithTheScaleAndItsViewStaysExact) {
  platform::WindowSpec spec;
  spec.caption = "Scale";
  spec.clientWidth = kClientWidth;
  spec.clientHeight = kClientHeight;
  const std::vector<ControlSpec> controls = {
      {kLabelId, ControlKind::kLabel, 10, 8, 150, 20, "Septiembre", kLabelFont},
      {kViewId, ControlKind::kGraphicView, 20, 40, kPictureWidth + 2, kPictureHeight + 2, "", {}}};
  Recorder recorder;
  automation::Then([&recorder] {
    Window& window = *automation::ActiveWindow();
    const HWND handle = platform::win32::AsWin32(window).Handle();
    const int before = automation::WindowDpi(window);
    const int dpi = 2 * before;
    MoveToScale(handle, dpi, 2 * kClientWidth * before / 96, 2 * kClientHeight * before / 96);
    EXPECT_EQ(automation::WindowDpi(window), dpi);
    // The window's client area as suggested, its controls at twice their places of 96 dpi.
    const automation::Geometry client = automation::ScreenClientGeometry(window);
    EXPECT_EQ(std::vector<int>({client.width, client.height}),
              std::vector<int>({kClientWidth * dpi / 96, kClientHeight * dpi / 96}));
    const HWND label = platform::win32::AsWin32(window).ControlHandle(kLabelId);
    const RECT labelRect = ScreenRectOf(label);
    EXPECT_EQ(labelRect.left - client.x, 10 * dpi / 96);
    EXPECT_EQ(labelRect.right - labelRect.left, 150 * dpi / 96);
    EXPECT_EQ(FontHeightOf(label), -12 * dpi / 72);  // 12 points at the new scale
    const automation::Geometry view = automation::ControlGeometry(window, kViewId);
    EXPECT_EQ(std::vector<int>({view.x, view.y, view.width, view.height}),
              std::vector<int>({20, 40, kPictureWidth + 2, kPictureHeight + 2}));
    // Each picture pixel a square block of dpi / 96 display pixels.
    const int factor = dpi / 96;
    const platform::Image shown = automation::ScreenViewPicture(window, kViewId);
    ASSERT_EQ(shown.Width(), kPictureWidth * factor);
    ASSERT_EQ(shown.Height(), kPictureHeight * factor);
    const platform::Image pattern = Pattern();
    int wrong = 0;
    for (int y = 0; y < shown.Height(); ++y) {
      for (int x = 0; x < shown.Width(); ++x)
        wrong += shown.Pixel(x, y) != pattern.Pixel(x / factor, y / factor);
    }
    EXPECT_EQ(wrong, 0);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {2 * 37 + 1, 2 * 11}, {199, 99}})
      automation::MouseAtScreenPixel(window, kViewId, platform::MouseKind::kLeftDown, x * factor / 2,
                                     y * factor / 2);
    // Back on the first display: the first size again.
    MoveToScale(handle, before, kClientWidth * before / 96, kClientHeight * before / 96);
    EXPECT_EQ(automation::ScreenClientGeometry(window).width, kClientWidth * before / 96);
    EXPECT_EQ(FontHeightOf(label), -12 * before / 72);
    EXPECT_EQ(automation::ScreenViewPicture(window, kViewId).Width(), kPictureWidth * before / 96);
    window.End(0);
  });
  Window::RunModal(spec, controls, {}, recorder);
  ASSERT_EQ(recorder.seen.size(), 3u);
  EXPECT_EQ(std::vector<int>({recorder.seen[0].x, recorder.seen[0].y}), std::vector<int>({0, 0}));
  EXPECT_EQ(std::vector<int>({recorder.seen[1].x, recorder.seen[1].y}), std::vector<int>({37, 11}));
  EXPECT_EQ(std::vector<int>({recorder.seen[2].x, recorder.seen[2].y}), std::vector<int>({99, 49}));
}

}  // namespace
