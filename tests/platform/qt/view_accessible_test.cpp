// The calendar view as Qt's accessibility presents it to AT-SPI: a table of the run's days, their states,
// and the events sent as the focus moves and days are marked.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QThread>
#include <QWidget>
#include <cstdlib>
#include <vector>

#include "platform/automation_steps.h"
#include "platform/qt/qt_window.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

struct HeardEvent {
  QAccessible::Event type;
  int child;
  bool checkedChanged;
};

std::vector<HeardEvent>& Heard() {
  static std::vector<HeardEvent> heard;
  return heard;
}

void Hear(QAccessibleEvent* event) {
  bool checked = false;
  if (event->type() == QAccessible::StateChanged)
    checked = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
  Heard().push_back({event->type(), event->child(), checked});
}

QAccessibleInterface* CalendarInterface(platform::Window& window) {
  return QAccessible::queryAccessibleInterface(platform::qt::AsQt(window).View(kCalendarViewId));
}

// Under a real X server the window's activation, and so the view's focus, lands a moment after it is
// shown; what the activation itself announces is not under test.
bool WaitForViewFocus(platform::Window& window) {
  const QWidget* view = platform::qt::AsQt(window).View(kCalendarViewId);
  const platform::automation::steps::Hold noStepMeanwhile;
  for (int wait = 0; wait < 150 && !view->hasFocus(); ++wait) {
    QCoreApplication::processEvents();
    QThread::msleep(20);
  }
  QCoreApplication::processEvents();
  return view->hasFocus();
}

class ViewAccessibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Heard().clear();
    QAccessible::installUpdateHandler(&Hear);
    QAccessible::setActive(true);
  }
  void TearDown() override {
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }
  TempFolder folder;
};

TEST_F(ViewAccessibleTest, TheViewIsATableOfTheDaysWithTheirStates) {
  WriteSettingsFile(folder, TallestRun(6));  // Italian
  ClickView(DayOfTallestRun(2, 7).left + 3, DayOfTallestRun(2, 7).top + 3);
  OnMainWindow([](platform::Window& window) {
    ASSERT_TRUE(WaitForViewFocus(window));
    QAccessibleInterface* table = CalendarInterface(window);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_EQ(table->childCount(), 608);
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 20);
    EXPECT_EQ(grid->columnCount(), 31);
    EXPECT_EQ(grid->cellAt(2, 28), nullptr);  // February 29, 2001
    QAccessibleInterface* seventh = grid->cellAt(1, 6);
    ASSERT_NE(seventh, nullptr);
    EXPECT_EQ(seventh, table->child(37));
    EXPECT_EQ(table->indexOfChild(seventh), 37);
    EXPECT_EQ(seventh->role(), QAccessible::Cell);
    EXPECT_EQ(seventh->text(QAccessible::Name).toStdString(), "domenica 7 gennaio 2001");
    EXPECT_TRUE(seventh->state().checked);
    EXPECT_TRUE(seventh->state().focused);
    EXPECT_EQ(table->focusChild(), seventh);
    EXPECT_FALSE(table->child(36)->state().checked);
    EXPECT_FALSE(table->child(36)->state().focused);
    // The cell stands where the day is drawn, on the screen.
    const QRect place = seventh->rect();
    const QPoint corner = platform::qt::AsQt(window).View(kCalendarViewId)->mapToGlobal(QPoint(1, 1));
    EXPECT_EQ(place.topLeft(), corner + QPoint(DayOfTallestRun(2, 7).left, DayOfTallestRun(2, 7).top));
    EXPECT_EQ(place.size(), QSize(30, 30));
    EXPECT_EQ(table->childAt(place.center().x(), place.center().y()), seventh);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST_F(ViewAccessibleTest, FocusAndMarkChangesAreAnnouncedForTheirDay) {
  // Qt's off-screen platform has no accessibility and so sends no events; atspi/read_calendar.sh runs
  // this again under X with the accessibility bus up, where it must not skip.
  for (int wait = 0; wait < 100 && !QAccessible::isActive(); ++wait) {
    QCoreApplication::processEvents();
    QThread::msleep(20);
  }
  if (std::getenv("KALVOR_ACCESSIBILITY_BUS") != nullptr) {
    ASSERT_TRUE(QAccessible::isActive()) << "no accessibility on the bus";
  }
  if (!QAccessible::isActive()) GTEST_SKIP() << "this Qt platform sends no accessibility events";
  WriteSettingsFile(folder, TallestRun());
  // Screen readers hear of the focus only while the window has it.
  OnMainWindow([](platform::Window& window) { automation::Activate(window); });
  OnMainWindow([](platform::Window& window) {
    ASSERT_TRUE(WaitForViewFocus(window));
    Heard().clear();
    automation::PressKey(window, automation::Key::kRight);  // December 2, 2000
    automation::PressKey(window, automation::Key::kDown);   // January 2, 2001
    automation::PressKey(window, automation::Key::kSpace);
    automation::PressKey(window, automation::Key::kHome, automation::Modifier::kControl);
    automation::PressKey(window, automation::Key::kLeft);  // nothing before the first day
  });
  automation::Then([] {
    std::vector<int> focused, checked;
    for (const HeardEvent& event : Heard()) {
      if (event.type == QAccessible::Focus) focused.push_back(event.child);
      if (event.type == QAccessible::StateChanged && event.checkedChanged) checked.push_back(event.child);
    }
    EXPECT_EQ(focused, (std::vector<int>{1, 32, 0}));
    EXPECT_EQ(checked, (std::vector<int>{32}));
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

}  // namespace
}  // namespace kalvor::testing
