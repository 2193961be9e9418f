// Combo boxes and the graphic view, driven through the toolkit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/automation.h"
#include "platform/qt/qt_window.h"
#include "platform/window.h"
#include "tests/platform/qt/window_test_support.h"

namespace kalvor::testing {
namespace {

using platform::ControlKind;
using platform::MouseEvent;
using platform::MouseKind;
using platform::Window;
namespace automation = platform::automation;

constexpr int kEditComboId = 11;
constexpr int kImageComboId = 12;
constexpr int kViewId = 13;
constexpr int kViewWidth = 102;  // a 100 x 50 surface inside the border
constexpr int kViewHeight = 52;
constexpr int kViewX = 5;
constexpr int kViewY = 60;

platform::WindowSpec Spec() {
  platform::WindowSpec spec;
  spec.caption = "Controls";
  spec.clientWidth = 240;
  spec.clientHeight = 160;
  return spec;
}

std::vector<platform::ControlSpec> Controls() {
  return {Row(kEditComboId, ControlKind::kEditCombo, 5, 5, 100, 24, ""),
          Row(kImageComboId, ControlKind::kImageCombo, 120, 5, 100, 130, ""),
          Row(kViewId, ControlKind::kGraphicView, kViewX, kViewY, kViewWidth, kViewHeight, "")};
}

void RunChecking(ScriptedHandler& handler, std::function<void(Window&)> check) {
  kalvor::testing::RunChecking(Spec(), Controls(), {}, handler, std::move(check));
}

QWidget* Child(Window& window, int id) {
  return platform::qt::AsQt(window).Control(id);
}

TEST(EditComboTest, SortsItemsAndTypingLeavesNoSelection) {
  ScriptedHandler handler;
  RunChecking(handler, [&handler](Window& window) {
    for (const char* item : {"b", "C", "a"}) window.AddItem(kEditComboId, item);
    EXPECT_EQ(automation::ItemTexts(window, kEditComboId).at(0), "a");
    EXPECT_EQ(automation::ItemTexts(window, kEditComboId).at(1), "b");
    EXPECT_EQ(automation::ItemTexts(window, kEditComboId).at(2), "C");
    EXPECT_EQ(window.SelectedPosition(kEditComboId), -1);
    EXPECT_EQ(window.Text(kEditComboId), "");

    window.Select(kEditComboId, 1);
    EXPECT_EQ(window.Text(kEditComboId), "b");
    automation::TypeText(window, kEditComboId, "a");
    EXPECT_EQ(window.Text(kEditComboId), "a");
    EXPECT_EQ(window.SelectedPosition(kEditComboId), -1);
    // Leaving the field (Enter, focus out) does not turn the typed text into a choice either.
    auto* combo = dynamic_cast<QComboBox*>(Child(window, kEditComboId));
    ASSERT_NE(combo, nullptr);
    emit combo->lineEdit()->editingFinished();
    EXPECT_EQ(window.SelectedPosition(kEditComboId), -1);
    EXPECT_EQ(combo->count(), 3);
    // Typing tells the program nothing; it reads the text when it needs it.
    EXPECT_EQ(handler.CountOf("command"), 0);

    automation::ChooseItem(window, kEditComboId, 2);
    EXPECT_EQ(window.SelectedPosition(kEditComboId), 2);
    EXPECT_EQ(handler.Count("command 11/9"), 1);

    window.ClearItems(kEditComboId);
    EXPECT_EQ(automation::ItemTexts(window, kEditComboId).size(), 0u);
    EXPECT_EQ(window.Text(kEditComboId), "");
    EXPECT_EQ(window.SelectedPosition(kEditComboId), -1);
  });
}

TEST(ImageComboTest, AppendsInOrderAndConfirmsChoices) {
  ScriptedHandler handler;
  RunChecking(handler, [&handler](Window& window) {
    window.AddImageItem(kImageComboId, "Zulu", "#999");  // no such picture: an item without one
    window.AddImageItem(kImageComboId, "Alpha", "#998");
    EXPECT_EQ(automation::ItemTexts(window, kImageComboId).size(), 2u);
    EXPECT_EQ(automation::ItemTexts(window, kImageComboId).at(0), "Zulu");
    EXPECT_EQ(window.SelectedPosition(kImageComboId), -1);
    window.Select(kImageComboId, 0);
    EXPECT_EQ(handler.CountOf("command"), 0);  // the program's own selection notifies nothing
    automation::ChooseItem(window, kImageComboId, 1);
    EXPECT_EQ(window.SelectedPosition(kImageComboId), 1);
    EXPECT_EQ(handler.Count("command 12/9"), 1);
  });
}

TEST(GraphicViewTest, HookSeesPressesBeforeTheViewsOwnHandling) {
  ScriptedHandler handler;
  std::vector<std::string> order;
  handler.mouse = [&order](Window&, int viewId, const MouseEvent& event) {
    EXPECT_EQ(viewId, kViewId);
    if (event.kind == MouseKind::kLeftDown) {
      order.push_back("hook " + std::to_string(event.x) + "," + std::to_string(event.y));
    }
  };
  // The view's own handling lets a press go on to the window; a filter there sees it after the hook.
  struct WindowPressSpy : QObject {
    std::vector<std::string>& order;
    explicit WindowPressSpy(std::vector<std::string>& o) : order(o) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::MouseButtonPress) order.push_back("window");
      return false;
    }
  } spy(order);
  RunChecking(handler, [&](Window& window) {
    QWidget* widget = &platform::qt::AsQt(window).Widget();
    widget->installEventFilter(&spy);
    QTest::mousePress(Child(window, kViewId), Qt::LeftButton, {}, QPoint(11, 21));
    QTest::mouseRelease(Child(window, kViewId), Qt::LeftButton, {}, QPoint(11, 21));
    EXPECT_EQ((std::vector<std::string>{"hook 10,20", "window"}), order);
    // The border is no part of the surface.
    order.clear();
    automation::Mouse(window, kViewId, MouseKind::kMove, -1, 5);
    QTest::mousePress(Child(window, kViewId), Qt::LeftButton, {}, QPoint(0, 5));
    EXPECT_EQ((std::vector<std::string>{"window"}), order);
    widget->removeEventFilter(&spy);
  });
}

TEST(GraphicViewTest, DoubleClickReportsTwoPresses) {
  ScriptedHandler handler;
  int leftDowns = 0;
  handler.mouse = [&leftDowns](Window&, int, const MouseEvent& event) {
    leftDowns += event.kind == MouseKind::kLeftDown ? 1 : 0;
  };
  RunChecking(handler, [&](Window& window) {
    // Through the platform's own input path, where Qt makes the second click a double click.
    QWidget* widget = &platform::qt::AsQt(window).Widget();
    const QPoint point = Child(window, kViewId)->mapTo(widget, QPoint(30, 20));
    QTest::mouseDClick(widget->windowHandle(), Qt::LeftButton, {}, point);
    EXPECT_EQ(leftDowns, 2);
    // Automation's double click is the same two presses.
    automation::DoubleClick(window, kViewId, 30, 20);
    EXPECT_EQ(leftDowns, 4);
  });
}

TEST(GraphicViewTest, ShowsItsSurface) {
  ScriptedHandler handler;
  RunChecking(handler, [](Window& window) {
    platform::Image& surface = window.ViewSurface(kViewId);
    ASSERT_EQ(surface.Width(), kViewWidth - 2);
    ASSERT_EQ(surface.Height(), kViewHeight - 2);
    EXPECT_EQ(automation::ViewPixel(window, kViewId, 50, 25), platform::kWhite);

    platform::Image stripe(300, 10);  // wider than the view: clipped
    stripe.Fill(platform::MakeColour(255, 0, 0));
    window.ShowImage(kViewId, stripe);
    surface.SetPixel(7, 30, platform::MakeColour(0, 0, 255));
    window.RepaintView(kViewId);

    EXPECT_EQ(automation::ViewPixel(window, kViewId, 99, 9), platform::MakeColour(255, 0, 0));
    EXPECT_EQ(automation::ViewPixel(window, kViewId, 99, 10), platform::kWhite);
    const QImage shown = Child(window, kViewId)->grab().toImage();
    EXPECT_EQ(shown.pixelColor(1 + 99, 1 + 9), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1 + 7, 1 + 30), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(1 + 50, 1 + 40), QColor(255, 255, 255));
    EXPECT_EQ(shown.pixelColor(0, 40), QColor(0, 0, 0));  // the border
  });
}

}  // namespace
}  // namespace kalvor::testing
