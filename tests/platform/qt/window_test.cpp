// Windows from tables: geometry in both units, placement, frame, the life cycle, nested loops and
// closing.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include "platform/automation.h"
#include "platform/message_box.h"
#include "platform/qt/qt_window.h"
#include "tests/platform/qt/window_test_support.h"

namespace kalvor::testing {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::Placement;
using platform::Units;
using platform::Window;
using platform::WindowSpec;
namespace automation = platform::automation;

constexpr int kLabelId = 101;
constexpr int kButtonId = 102;
constexpr int kCheckId = 103;
constexpr int kEditId = 104;
constexpr int kStatusId = 105;
constexpr int kInnerButtonId = 201;
constexpr int kMenuNew = 301;
constexpr int kMenuExit = 302;
constexpr int kMenuColours = 303;

WindowSpec PixelSpec() {
  WindowSpec spec;
  spec.caption = "Pixels";
  spec.clientWidth = 300;
  spec.clientHeight = 200;
  spec.placement = Placement::kAt;
  spec.x = 40;
  spec.y = 50;
  return spec;
}

std::vector<ControlSpec> SampleControls() {
  return {
      Row(kLabelId, ControlKind::kCentredLabel, 8, 8, 150, 16, "Label & text"),
      Row(kButtonId, ControlKind::kButton, 8, 30, 80, 24, "Press"),
      Row(kCheckId, ControlKind::kCheckBox, 8, 60, 120, 24, "Tick"),
      Row(kEditId, ControlKind::kEdit, 8, 90, 120, 22, "start"),
      Row(kStatusId, ControlKind::kStatusBar, 0, 0, 0, 0, ""),
  };
}

TEST(WindowTest, PixelTableGivesExactGeometryAndTexts) {
  ScriptedHandler handler;
  const int result = RunChecking(PixelSpec(), SampleControls(), {}, handler, [](Window& window) {
    const auto client = automation::ClientGeometry(window);
    EXPECT_EQ(client.width, 300);
    EXPECT_EQ(client.height, 200);
    EXPECT_EQ(window.ScreenX(), 40);
    EXPECT_EQ(window.ScreenY(), 50);
    const auto button = automation::ControlGeometry(window, kButtonId);
    EXPECT_EQ((std::vector<int>{button.x, button.y, button.width, button.height}),
              (std::vector<int>{8, 30, 80, 24}));
    const auto status = automation::ControlGeometry(window, kStatusId);
    EXPECT_EQ(status.y + status.height, 200);  // along the bottom edge, whatever the table says
    EXPECT_EQ(status.width, 300);
    EXPECT_EQ(automation::Caption(window), "Pixels");
    EXPECT_EQ(window.Text(kLabelId), "Label & text");
    EXPECT_EQ(window.Text(kEditId), "start");
  });
  EXPECT_EQ(result, 5);
}

// An empty status bar is still seen: a field with a shaded edge, darker and lighter than the strip.
TEST(WindowTest, StatusBarShowsASunkenField) {
  ScriptedHandler handler;
  RunChecking(PixelSpec(), SampleControls(), {}, handler, [](Window& window) {
    const QImage bar = platform::qt::AsQt(window).Control(kStatusId)->grab().toImage();
    ASSERT_GT(bar.height(), 10);
    const QRgb strip = bar.pixel(0, bar.height() / 2);
    int darker = 0, lighter = 0;
    for (int x = 0; x < bar.width(); ++x) {
      const QRgb top = bar.pixel(x, 2), bottom = bar.pixel(x, bar.height() - 3);
      darker += qGray(top) < qGray(strip) - 40;
      lighter += qGray(bottom) > qGray(strip) + 10;
    }
    EXPECT_GT(darker, bar.width() / 2);
    EXPECT_GT(lighter, bar.width() / 2);
  });
}

TEST(WindowTest, DialogUnitsScaleClientControlsAndPosition) {
  WindowSpec spec = PixelSpec();
  spec.units = Units::kDialogUnits;
  spec.x = 70;
  spec.y = 70;
  spec.clientWidth = 100;  // 150 x 130 pixels
  spec.clientHeight = 80;
  ScriptedHandler handler;
  RunChecking(spec, {Row(kButtonId, ControlKind::kButton, 10, 10, 40, 14, "OK")}, {}, handler,
              [](Window& window) {
                EXPECT_EQ(window.ScreenX(), 105);
                EXPECT_EQ(window.ScreenY(), 114);
                const auto client = automation::ClientGeometry(window);
                EXPECT_EQ(client.width, 150);
                EXPECT_EQ(client.height, 130);
                const auto button = automation::ControlGeometry(window, kButtonId);
                EXPECT_EQ((std::vector<int>{button.x, button.y, button.width, button.height}),
                          (std::vector<int>{15, 16, 60, 23}));
              });
}

TEST(WindowTest, CentredPlacementsUseScreenAndWorkArea) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  for (const Placement placement : {Placement::kScreenCentre, Placement::kWorkAreaCentre}) {
    WindowSpec spec = PixelSpec();
    spec.placement = placement;
    const QRect area =
        placement == Placement::kScreenCentre ? screen->geometry() : screen->availableGeometry();
    ScriptedHandler handler;
    RunChecking(spec, {}, {}, handler, [&area](Window& window) {
      EXPECT_EQ(window.ScreenX(), area.x() + (area.width() - 300) / 2);
      EXPECT_EQ(window.ScreenY(), area.y() + (area.height() - 200) / 2);
    });
  }
}

TEST(WindowTest, FrameOffersOnlyTheAskedBoxesAndNoResizing) {
  struct Case {
    bool minimise, close;
  };
  for (const Case boxes : {Case{true, false}, Case{false, true}, Case{false, false}}) {
    WindowSpec spec = PixelSpec();
    spec.minimiseBox = boxes.minimise;
    spec.closeBox = boxes.close;
    ScriptedHandler handler;
    RunChecking(spec, {}, {}, handler, [&boxes](Window& window) {
      const auto frame = automation::WindowFrame(window);
      EXPECT_EQ(frame.minimiseBox, boxes.minimise);
      EXPECT_EQ(frame.closeBox, boxes.close);
      EXPECT_FALSE(frame.maximiseBox);
      EXPECT_FALSE(frame.resizable);
    });
  }
}

TEST(WindowTest, InitComesBeforeShowing) {
  ScriptedHandler handler;
  bool visibleAtInit = true;
  std::string textAtInit;
  handler.init = [&](Window& window) {
    visibleAtInit = automation::ActiveWindow() != nullptr;
    textAtInit = window.Text(kButtonId);
    window.SetText(kButtonId, "Renamed");
  };
  RunChecking(PixelSpec(), SampleControls(), {}, handler,
              [](Window& window) { EXPECT_EQ(window.Text(kButtonId), "Renamed"); });
  EXPECT_FALSE(visibleAtInit);
  EXPECT_EQ(textAtInit, "Press");
  ASSERT_FALSE(handler.log.empty());
  EXPECT_EQ(handler.log.front(), "init");
  EXPECT_EQ(automation::ActiveWindow(), nullptr);
}

TEST(WindowTest, LoopsNestAndEveryWindowStaysUsable) {
  Watchdog watchdog;
  WindowSpec innerSpec = PixelSpec();
  innerSpec.caption = "Inner";
  ScriptedHandler inner;
  inner.command = [](Window& window, int id, int) {
    if (id != kInnerButtonId) return;
    if (platform::ShowMessageBox("End?", "Question", platform::MessageButtons::kYesNo) ==
        platform::MessageAnswer::kYes) {
      window.End(7);
    }
  };
  int innerResult = 0;
  int outerClicks = 0;
  ScriptedHandler outer;
  outer.command = [&](Window&, int id, int) {
    if (id != kButtonId) return;
    if (++outerClicks == 1) {
      innerResult = Window::RunModal(
          innerSpec, {Row(kInnerButtonId, ControlKind::kButton, 8, 8, 80, 24, "Ask")}, {}, inner);
    }
  };

  automation::Then([] { automation::Click(*automation::ActiveWindow(), kButtonId); });
  automation::Then([] {
    EXPECT_EQ((std::vector<std::string>{"Pixels", "Inner"}), automation::OpenWindowCaptions());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The outer window still takes clicks while the inner one runs.
    automation::Click(*automation::WindowWithCaption("Pixels"), kButtonId);
    automation::Click(*automation::WindowWithCaption("Inner"), kInnerButtonId);
  });
  automation::Then([] {
    ASSERT_TRUE(automation::OpenMessageBox());
    EXPECT_EQ(automation::Caption(*automation::ActiveWindow()), "Inner");
    automation::AnswerMessageBox(platform::MessageAnswer::kYes);
  });
  automation::Then([&] {
    EXPECT_EQ(innerResult, 7);
    EXPECT_EQ((std::vector<std::string>{"Pixels"}), automation::OpenWindowCaptions());
    automation::ActiveWindow()->End(3);
  });
  EXPECT_EQ(Window::RunModal(PixelSpec(), SampleControls(), {}, outer), 3);
  EXPECT_EQ(outerClicks, 2);
}

TEST(WindowTest, EscapeDoesNotCloseAndCloseRequestsGoToTheHandler) {
  ScriptedHandler handler;
  RunChecking(PixelSpec(), SampleControls(), {}, handler, [&handler](Window& window) {
    QWidget* widget = &platform::qt::AsQt(window).Widget();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(widget, &escape);
    automation::RequestClose(window);
    EXPECT_EQ(handler.Count("close"), 1);
    // The handler did not end it, so it is still open and shown.
    EXPECT_EQ(automation::ActiveWindow(), &window);
    EXPECT_TRUE(widget->isVisible());
  });
}

TEST(WindowTest, ButtonsAndCheckBoxesNotifyClicks) {
  ScriptedHandler handler;
  RunChecking(PixelSpec(), SampleControls(), {}, handler, [&handler](Window& window) {
    automation::Click(window, kCheckId);
    EXPECT_TRUE(window.Checked(kCheckId));
    automation::Click(window, kCheckId);
    EXPECT_FALSE(window.Checked(kCheckId));
    window.SetEnabled(kButtonId, false);
    automation::Click(window, kButtonId);  // a greyed button cannot be pressed
    EXPECT_FALSE(automation::ControlEnabled(window, kButtonId));
    EXPECT_EQ(handler.Count("command 103/0"), 2);
    EXPECT_EQ(handler.Count("command 102/0"), 0);
  });
}

std::vector<platform::Menu> SampleMenus() {
  return {{"Operations", {{kMenuNew, "New"}, {0, "-"}, {kMenuExit, "Exit"}}},
          {"Colours", {{kMenuColours, "Mine"}}}};
}

// The drop-down menus are written in the bar's font, the window's own, also when it is not the system's.
TEST(WindowTest, MenusUseOneFont) {
  ScriptedHandler handler;
  WindowSpec spec = PixelSpec();
  spec.font = {"Tahoma", 10, true};
  RunChecking(spec, SampleControls(), SampleMenus(), handler, [](Window& window) {
    const QMenuBar* bar = platform::qt::AsQt(window).MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->font(), platform::qt::AsQt(window).Widget().font());
    for (const QAction* entry : bar->actions()) {
      ASSERT_NE(entry->menu(), nullptr);
      EXPECT_EQ(entry->menu()->font(), bar->font());
    }
  });
}

TEST(WindowTest, MenusShowItemsGreyAndNotify) {
  ScriptedHandler handler;
  RunChecking(PixelSpec(), SampleControls(), SampleMenus(), handler, [&handler](Window& window) {
    const auto menus = automation::MenuBar(window);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].title, "Operations");
    ASSERT_EQ(menus[0].items.size(), 3u);
    EXPECT_EQ(menus[0].items[1].text, "-");
    EXPECT_EQ(menus[0].items[2].id, kMenuExit);
    EXPECT_EQ(menus[1].items[0].text, "Mine");

    window.EnableMenuItem(kMenuNew, false);
    EXPECT_FALSE(automation::MenuItemEnabled(window, kMenuNew));
    automation::InvokeMenu(window, kMenuNew);
    EXPECT_EQ(handler.Count("command 301/0"), 0);
    window.EnableMenuItem(kMenuNew, true);
    automation::InvokeMenu(window, kMenuNew);
    EXPECT_EQ(handler.Count("command 301/0"), 1);

    // The bar takes its strip from the client height; controls sit below it at their own coordinates.
    EXPECT_EQ(automation::ClientGeometry(window).height, 200);
    EXPECT_EQ(automation::ControlGeometry(window, kButtonId).y, 30);
  });
}

}  // namespace
}  // namespace kalvor::testing
