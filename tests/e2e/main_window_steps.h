// Running the whole program in a temporary folder with a settings file written by the test, and the
// small steps the main window's end-to-end tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "mainwindow/file_name_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/automation.h"
#include "platform/image.h"
#include "settings/settings.h"
#include "tests/support/tallest_run.h"
#include "tests/support/temp_folder.h"

namespace kalvor::testing {

namespace automation = platform::automation;

constexpr platform::Colour kLightGrey = 0xC0C0C0;

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// "settings.log": eight little-endian 32-bit integers.
inline void WriteSettingsFile(const std::string& folderPath, const Settings& s) {
  std::vector<std::uint8_t> bytes;
  for (std::int32_t value : {s.startMonth, s.lastMonth, s.startYearIndex, s.lastYearIndex, s.dayShape,
                             s.monthCount, s.languageIndex, s.settingsId}) {
    Put32(bytes, static_cast<std::uint32_t>(value));
  }
  WriteBytes(folderPath + "settings.log", bytes);
}
inline void WriteSettingsFile(const TempFolder& folder, const Settings& s) {
  WriteSettingsFile(folder.Path(), s);
}

// Queues a step that acts on the window with this caption; a missing window fails the test instead of
// crashing it.
inline void OnWindow(const std::string& caption, std::function<void(platform::Window&)> step) {
  automation::Then([caption, step] {
    platform::Window* window = automation::WindowWithCaption(caption);
    if (window == nullptr) {
      ADD_FAILURE() << "not open: " << caption;
      return;
    }
    step(*window);
  });
}

inline void OnMainWindow(std::function<void(platform::Window&)> step) {
  OnWindow(kMainWindowCaption, std::move(step));
}

inline void Menu(int id) {
  OnMainWindow([id](platform::Window& window) { automation::InvokeMenu(window, id); });
}

inline void ClickView(int x, int y) {
  OnMainWindow([x, y](platform::Window& window) {
    automation::Mouse(window, kCalendarViewId, platform::MouseKind::kLeftDown, x, y);
    automation::Mouse(window, kCalendarViewId, platform::MouseKind::kLeftUp, x, y);
  });
}

// Answers the message box that the previous step opened and keeps what it showed.
inline void AnswerBox(std::vector<automation::SeenMessageBox>& seen) {
  automation::Then([&seen] {
    const auto box = automation::AnswerMessageBox(platform::MessageAnswer::kOk);
    if (!box) {
      ADD_FAILURE() << "no message box was open";
      return;
    }
    seen.push_back(*box);
  });
}

// Fails when a message box is open at this point.
inline void ExpectNoBox() {
  automation::Then([] {
    const auto box = automation::OpenMessageBox();
    EXPECT_FALSE(box.has_value()) << "unexpected message: " << box->text;
  });
}

// The last step of every run: Get out, after closing whatever a failed expectation left open, so that
// the run always ends.
inline void GetOutAndCloseEverything() {
  automation::Then([] {
    bool leftOpen = false;
    while (automation::AnswerMessageBox(platform::MessageAnswer::kOk)) leftOpen = true;
    for (const std::string& caption : automation::OpenWindowCaptions()) {
      if (caption == kMainWindowCaption) continue;
      leftOpen = true;
      if (platform::Window* window = automation::WindowWithCaption(caption)) window->End(0);
    }
    EXPECT_FALSE(leftOpen) << "windows or messages were still open at the end";
    if (platform::Window* window = automation::WindowWithCaption(kMainWindowCaption)) {
      automation::InvokeMenu(*window, kCmdGetOut);
    } else {
      ADD_FAILURE() << "the main window was not open at the end";
    }
  });
}

// Runs the program until the queued steps have ended it; every step must have run.
inline void RunProgram(const std::string& folderPath) {
  EXPECT_EQ(RunKalvor(folderPath), 0);
  EXPECT_EQ(automation::PendingSteps(), 0u);
  automation::ClearSteps();
}
inline void RunProgram(const TempFolder& folder) {
  RunProgram(folder.Path());
}

// Types a name into the open file-name dialog with this caption and accepts it.
inline void TypeNameAndAccept(const std::string& caption, const std::string& name) {
  OnWindow(caption, [name](platform::Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, name);
    automation::Click(dialog, kFileNameAcceptId);
  });
}

// How a run that shows one message ends: the box the previous step opened is answered, Get out ends
// the program, and the run goes to its end. Returns what the box showed.
inline automation::SeenMessageBox RunAnsweringOneBox(const std::string& folderPath) {
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  GetOutAndCloseEverything();
  RunProgram(folderPath);
  if (seen.size() != 1) {
    ADD_FAILURE() << seen.size() << " message boxes were answered, not one";
    return {};
  }
  return seen[0];
}
inline automation::SeenMessageBox RunAnsweringOneBox(const TempFolder& folder) {
  return RunAnsweringOneBox(folder.Path());
}

// The view's pixels as shown, for comparing whole pictures.
inline std::vector<platform::Colour> ViewPixels(platform::Window& window) {
  const platform::Image& surface = window.ViewSurface(kCalendarViewId);
  std::vector<platform::Colour> pixels;
  pixels.reserve(static_cast<std::size_t>(surface.Width()) * surface.Height());
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) pixels.push_back(surface.Pixel(x, y));
  }
  return pixels;
}

// Where a day lies in the tallest run: slot 1 is December 2000 in row 1, slot 2 January 2001 in row 3...
struct DayBox {
  int left, top, right, bottom;
  // A pixel of the fill that no text covers.
  int fillX() const { return left + 3; }
  int fillY() const { return bottom - 3; }
};
inline DayBox DayOfTallestRun(int monthSlot, int day) {
  const int row = monthSlot + (monthSlot >= 2 ? 1 : 0) + (monthSlot >= 14 ? 1 : 0);
  const int left = 222 + 30 * (day - 1);
  const int top = row * 30 + 1;
  return {left, top, left + 29, top + 29};
}

}  // namespace kalvor::testing
