// A window handler whose reactions a test sets, with a log of what reached it, and rows of control
// tables in the window's own font and colours.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kalvor::testing {

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
    log.push_back("mouse " + std::to_string(viewId));
    if (mouse) mouse(window, viewId, event);
  }

  int Count(const std::string& entry) const {
    int count = 0;
    for (const std::string& seen : log) count += seen == entry ? 1 : 0;
    return count;
  }
  // Entries that begin with `kind` ("command", "mouse", ...).
  int CountOf(const std::string& kind) const {
    int count = 0;
    for (const std::string& seen : log) count += seen.starts_with(kind) ? 1 : 0;
    return count;
  }
};

}  // namespace kalvor::testing
