// Message boxes and the colour chooser, answered through automation from inside their loops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>

#include "platform/automation.h"
#include "platform/colour_chooser.h"
#include "platform/message_box.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_window.h"
#include "tests/platform/qt/window_test_support.h"

namespace kalvor::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::Window;
namespace automation = platform::automation;

constexpr int kAskId = 21;

platform::WindowSpec Spec() {
  platform::WindowSpec spec;
  spec.caption = "Owner";
  spec.clientWidth = 200;
  spec.clientHeight = 100;
  return spec;
}

// Runs a window whose button runs `onClick`; the steps click it and then answer what opens.
void RunClicking(std::function<void(Window&)> onClick, std::vector<std::function<void()>> answers) {
  Watchdog watchdog;
  ScriptedHandler handler;
  handler.command = [&onClick](Window& window, int id, int) {
    if (id == kAskId) onClick(window);
  };
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kAskId); });
  for (auto& answer : answers) automation::Then(answer);
  automation::Then([] { automation::ActiveWindow()->End(0); });
  Window::RunModal(Spec(), {Row(kAskId, platform::ControlKind::kButton, 8, 8, 80, 24, "Ask")}, {}, handler);
}

TEST(MessageBoxTest, ShowsPlainLinesWithoutIconAndReportsTheAnswer) {
  MessageAnswer answer = MessageAnswer::kYes;
  RunClicking(
      [&answer](Window&) {
        answer = platform::ShowMessageBox("first\r\nsecond", "Caption", MessageButtons::kOk);
      },
      {[] {
        const auto seen = automation::OpenMessageBox();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->text, "first\r\nsecond");
        EXPECT_EQ(seen->caption, "Caption");
        EXPECT_EQ((std::vector<std::string>{"OK"}), seen->buttons);
        EXPECT_FALSE(seen->hasIcon);
        // Shown as two plain lines above the button, which stands in the middle; no window is blocked.
        const platform::qt::MessageBoxWindow* box = platform::qt::OpenMessageBoxWindow();
        ASSERT_NE(box, nullptr);
        const QLabel* label = box->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("first\nsecond"));
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        const QRect button = box->Buttons().front()->geometry();
        EXPECT_LT(label->geometry().bottom(), button.top());
        EXPECT_LE(std::abs(button.center().x() - box->width() / 2), 1);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(automation::AnswerMessageBox(MessageAnswer::kYes));  // no such button
        EXPECT_TRUE(automation::AnswerMessageBox(MessageAnswer::kOk));
      }});
  EXPECT_EQ(answer, MessageAnswer::kOk);
  EXPECT_FALSE(automation::OpenMessageBox());
}

TEST(MessageBoxTest, YesNoIsAnsweredOnlyByYesOrNo) {
  std::vector<MessageAnswer> answers;
  const auto ask = [&answers](Window&) {
    answers.push_back(platform::ShowMessageBox("Sure?", "Q", MessageButtons::kYesNo));
  };
  RunClicking(ask, {[] {
                const auto seen = automation::AnswerMessageBox(MessageAnswer::kYes);
                ASSERT_TRUE(seen);
                EXPECT_EQ((std::vector<std::string>{"Yes", "No"}), seen->buttons);
                EXPECT_FALSE(seen->closeBox);
              }});
  RunClicking(ask, {[] {
                // Neither Escape nor the window manager's close request answers it.
                EXPECT_TRUE(automation::PressMessageBoxKey(automation::Key::kEscape));
                EXPECT_TRUE(automation::RequestMessageBoxClose());
                ASSERT_TRUE(automation::OpenMessageBox());
                automation::AnswerMessageBox(MessageAnswer::kNo);
              }});
  EXPECT_EQ((std::vector<MessageAnswer>{MessageAnswer::kYes, MessageAnswer::kNo}), answers);
}

TEST(MessageBoxTest, OkBoxClosesWithEscapeEnterOrItsCloseBox) {
  std::vector<MessageAnswer> answers;
  const auto tell = [&answers](Window&) {
    answers.push_back(platform::ShowMessageBox("Note", "N", MessageButtons::kOk));
  };
  RunClicking(tell, {[] { EXPECT_TRUE(automation::PressMessageBoxKey(automation::Key::kEscape)); }});
  RunClicking(tell, {[] { EXPECT_TRUE(automation::PressMessageBoxKey(automation::Key::kKeypadEnter)); }});
  RunClicking(tell, {[] {
                EXPECT_TRUE(automation::OpenMessageBox()->closeBox);
                EXPECT_TRUE(automation::RequestMessageBoxClose());
              }});
  EXPECT_EQ(std::vector<MessageAnswer>(3, MessageAnswer::kOk), answers);
  EXPECT_FALSE(automation::PressMessageBoxKey(automation::Key::kEscape));  // none open any more
}

constexpr platform::Colour kRed = platform::MakeColour(255, 0, 0);
constexpr platform::Colour kChosen = platform::MakeColour(0x12, 0x34, 0x56);
constexpr platform::Colour kGrey = 0x808080;

TEST(ColourChooserTest, OpensOverItsOwnerAndWritesCustomColoursBack) {
  std::array<platform::Colour, 16> custom{};
  custom[0] = platform::MakeColour(1, 2, 3);
  platform::Colour chosen = 0;
  bool confirmed = false;
  int opened = 0;
  const auto choose = [&](Window& owner) {
    ++opened;
    confirmed = platform::ChooseColour(owner, 30, 40, kGrey, custom, chosen);
  };
  RunClicking(choose, {[] {
                const auto seen = automation::OpenColourChooser();
                ASSERT_TRUE(seen);
                EXPECT_EQ(seen->initial, kGrey);
                EXPECT_EQ(seen->x, 30);
                EXPECT_EQ(seen->y, 40);
                EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 2, 3));
                const QColorDialog* dialog = platform::qt::OpenQColorDialog();
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
                EXPECT_EQ(dialog->parentWidget(),
                          &platform::qt::AsQt(*automation::WindowWithCaption("Owner")).Widget());
                // The chooser blocks its owner: a click there goes nowhere.
                automation::Click(*automation::WindowWithCaption("Owner"), kAskId);
                QColorDialog::setCustomColor(3, QColor(255, 0, 0));  // as the user's "Add to Custom Colors"
                EXPECT_TRUE(automation::AnswerColourChooser(kChosen));
              }});
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(chosen, kChosen);
  EXPECT_EQ(custom[3], kRed);
  EXPECT_EQ(custom[0], platform::MakeColour(1, 2, 3));
  EXPECT_FALSE(automation::OpenColourChooser());
}

TEST(ColourChooserTest, CancelChangesNothing) {
  std::array<platform::Colour, 16> custom{};
  platform::Colour chosen = kRed;
  bool confirmed = true;
  RunClicking([&](Window& owner) { confirmed = platform::ChooseColour(owner, 0, 0, kGrey, custom, chosen); },
              {[] { EXPECT_TRUE(automation::AnswerColourChooser(std::nullopt)); }});
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(chosen, kRed);
  EXPECT_FALSE(automation::AnswerColourChooser(std::nullopt));  // none open any more
}

}  // namespace
}  // namespace kalvor::testing
