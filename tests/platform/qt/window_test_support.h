// A watchdog that ends every open window when a test's steps get stuck, and a run whose one step checks
// the window, for the Qt window tests.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <vector>

#include "platform/automation.h"
#include "platform/window.h"
#include "tests/support/scripted_window.h"

namespace kalvor::testing {

// Fails the test and unwinds every loop if the test is still running after a while.
class Watchdog {
 public:
  static constexpr int kTimeoutMs = 20000;
  Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      ADD_FAILURE() << "steps did not finish";
      platform::automation::ClearSteps();
      platform::automation::AnswerColourChooser(std::nullopt);
      using platform::MessageAnswer;
      while (platform::automation::OpenMessageBox()) {
        if (!platform::automation::AnswerMessageBox(MessageAnswer::kOk)) {
          platform::automation::AnswerMessageBox(MessageAnswer::kNo);
        }
      }
      while (platform::Window* window = platform::automation::ActiveWindow()) window->End(-1);
    });
    timer_.start(kTimeoutMs);
  }
  ~Watchdog() { platform::automation::ClearSteps(); }

 private:
  QTimer timer_;
};

// Runs the window; its one step checks the window and ends it with 5.
inline int RunChecking(const platform::WindowSpec& spec, const std::vector<platform::ControlSpec>& controls,
                       const std::vector<platform::Menu>& menus, ScriptedHandler& handler,
                       std::function<void(platform::Window&)> check) {
  Watchdog watchdog;
  platform::automation::Then([check] {
    platform::Window* window = platform::automation::ActiveWindow();
    ASSERT_NE(window, nullptr);
    check(*window);
    window->End(5);
  });
  return platform::Window::RunModal(spec, controls, menus, handler);
}

}  // namespace kalvor::testing
