// The life of a window as every backend must give it: End closes the window to all input at once, also
// while a loop nested inside its own still runs, and End during OnInit never shows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/window.h"
#include "tests/support/scripted_window.h"

namespace kalvor::testing {
namespace {

using platform::ControlKind;
using platform::MouseKind;
using platform::Window;
using platform::WindowSpec;
namespace automation = platform::automation;

constexpr int kEndButton = 11;
constexpr int kOtherButton = 12;
constexpr int kView = 13;
constexpr int kMenuItem = 21;
constexpr int kOuterResult = 4;
constexpr int kInnerResult = 6;

WindowSpec Spec(const std::string& caption) {
  WindowSpec spec;
  spec.caption = caption;
  spec.clientWidth = 240;
  spec.clientHeight = 160;
  return spec;
}

const std::vector<platform::ControlSpec> kControls = {
    Row(kEndButton, ControlKind::kButton, 8, 8, 80, 24, "End"),
    Row(kOtherButton, ControlKind::kButton, 8, 40, 80, 24, "Other"),
    Row(kView, ControlKind::kGraphicView, 100, 8, 60, 60, ""),
};
const std::vector<platform::Menu> kMenus = {{"Operations", {{kMenuItem, "Act"}}}};

// Everything a user or the window manager can send to a window.
void SendEverything(Window& window) {
  automation::Click(window, kEndButton);
  automation::Click(window, kOtherButton);
  automation::InvokeMenu(window, kMenuItem);
  automation::Mouse(window, kView, MouseKind::kLeftDown, 5, 5);
  automation::Mouse(window, kView, MouseKind::kLeftUp, 5, 5);
  automation::RequestClose(window);
}

// The outer window ends on its End button and, from the same handler, runs an inner window: input to
// the ended outer window, while the inner loop runs and after it has returned, reaches no handler.
TEST(WindowLifecycle, AnEndedWindowActsOnNothingMore) {
  ScriptedHandler outer, inner;
  int innerResult = 0;
  bool innerRan = false;
  outer.command = [&](Window& window, int id, int) {
    if (id != kEndButton || innerRan) return;
    innerRan = true;
    window.End(kOuterResult);
    innerResult = Window::RunModal(Spec("Inner"), {}, {}, inner);
  };
  Window* ended = nullptr;
  std::vector<std::string> captionsWhileInner;
  automation::Then([&ended] {
    ended = automation::WindowWithCaption("Outer");
    ASSERT_NE(ended, nullptr);
    automation::Click(*ended, kEndButton);  // returns once the inner window has ended
    SendEverything(*ended);                 // the outer loop has not returned yet
  });
  // Inside the inner window's loop.
  automation::Then([&ended, &captionsWhileInner] {
    captionsWhileInner = automation::OpenWindowCaptions();
    if (ended != nullptr) SendEverything(*ended);
    if (Window* window = automation::WindowWithCaption("Inner")) window->End(kInnerResult);
  });
  EXPECT_EQ(Window::RunModal(Spec("Outer"), kControls, kMenus, outer), kOuterResult);
  EXPECT_EQ(innerResult, kInnerResult);
  EXPECT_EQ(captionsWhileInner, std::vector<std::string>{"Inner"});  // ended, the outer one left at once
  ASSERT_FALSE(outer.log.empty());
  EXPECT_EQ(outer.log.back(), "command 11/0");
  EXPECT_EQ(outer.Count("command 11/0"), 1);
  EXPECT_EQ(automation::PendingSteps(), 0u);
  automation::ClearSteps();
}

// Ended from OnInit, the window is never shown: no loop of its runs to take a queued step, and the
// first End's value is returned.
TEST(WindowLifecycle, EndDuringInitNeverShowsTheWindow) {
  ScriptedHandler handler;
  handler.init = [](Window& window) {
    window.End(kOuterResult);
    window.End(kInnerResult);
  };
  bool stepRan = false;
  automation::Then([&stepRan] { stepRan = true; });
  EXPECT_EQ(Window::RunModal(Spec("Never"), kControls, kMenus, handler), kOuterResult);
  EXPECT_FALSE(stepRan);
  EXPECT_EQ(handler.log, std::vector<std::string>{"init"});
  EXPECT_EQ(automation::ActiveWindow(), nullptr);
  automation::ClearSteps();
}

}  // namespace
}  // namespace kalvor::testing
