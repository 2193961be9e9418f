// The message box and the colour chooser while they are open, for automation.
#pragma once

#include <QColorDialog>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/message_box.h"

class QEventLoop;

namespace platform::qt {

// A message box as the classic desktop draws it: its text, then its buttons centred below it, no icon
// anywhere. Enter or Space presses the focused button; an OK box also closes with Escape or its close
// box, while a Yes/No question has no close box and waits for Yes or No.
class MessageBoxWindow : public QWidget {
 public:
  MessageBoxWindow(const std::string& text, const std::string& caption, MessageButtons buttons);

  // Shows the box and waits in a loop of its own until it is answered.
  MessageAnswer Run();

  const std::string& GivenText() const { return text_; }
  MessageButtons Kind() const { return kind_; }
  const std::vector<QPushButton*>& Buttons() const { return buttons_; }
  QPushButton* ButtonFor(MessageAnswer answer) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddButton(const char* text, MessageAnswer answer);
  void LayOut(QWidget& label);
  void Answer(MessageAnswer answer);

  std::string text_;
  MessageButtons kind_;
  std::vector<QPushButton*> buttons_;
  std::vector<MessageAnswer> answers_;  // of each button, in order
  MessageAnswer answer_ = MessageAnswer::kOk;
  QEventLoop* loop_ = nullptr;
};

// The message box shown most recently that is still open; nullptr when none.
MessageBoxWindow* OpenMessageBoxWindow();

// The colour chooser that is open; nullptr when none.
QColorDialog* OpenQColorDialog();
// The colour it was opened with.
QColor ChooserInitialColour(const QColorDialog& dialog);

}  // namespace platform::qt
