// A window handler whose reactions a test sets, with a log of what reached it, and a watchdog that
// ends every open window when a test's steps get stuck.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/window.h"

namespace kalvor::testing {

// One row of a control table, the window's own font and colours.
inline platform::ControlSpec Row(int id, platform::ControlKind kind, int x, int y, int width, int height,
                                 std::string text) {
  platform::ControlSpec row;
  row.id = id;
  row.kind = kind;
  row.x = x;
  row.y = y;
  row.width = width;
  row.height = height;
  row.text = std::move(text);
  return row;
}

struct ScriptedHandler : platform::WindowHandler {
  std::function<void(platform::Window&)> init;
  std::function<void(platform::Window&, int id, int notification)> command;
  std::function<void(platform::Window&, int viewId, const platform::MouseEvent&)> mouse;
  std::function<void(platform::Window&)> closeRequest;
  std::vector<std::string> log;

  void OnInit(platform::Window& window) override {
    log.push_back("init");
    if (init) init(window);
  }
  void OnCommand(platform::Window& window, int id, int notification) override {
    log.push_back("command " + std::to_string(id) + "/" + std::to_string(notification));
    if (command) command(window, id, notification);
  }
  void OnCloseRequest(platform::Window& window) override {
    log.push_back("close");
    if (closeRequest) closeRequest(window);
  }
  void OnActivate(platform::Window&, bool active) override { log.push_back(active ? "active" : "inactive"); }
  void OnViewMouse(platform::Window& window, int viewId, const platform::MouseEvent& event) override {
    if (mouse) mouse(window, viewId, event);
  }
  void OnDestroy(platform::Window&) override { log.push_back("destroy"); }

  int Count(const std::string& entry) const {
    int count = 0;
    for (const std::string& seen : log) count += seen == entry ? 1 : 0;
    return count;
  }
};

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
