// Message boxes without an owner and without an icon. The box waits in a loop of its own but blocks no
// window: the classic box without an owner leaves every other window usable.
#include "platform/message_box.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <algorithm>

#include "platform/qt/frame_hints.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_window.h"

namespace platform {
namespace qt {
namespace {

// The classic box's proportions, in pixels: margins around the text and the buttons, the button size
// (50 x 14 dialog units) and the gaps.
constexpr int kMargin = 12;
constexpr int kTextToButtons = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMinimumTextWidth = 100;

std::vector<QPointer<MessageBoxWindow>>& OpenBoxes() {
  static std::vector<QPointer<MessageBoxWindow>> boxes;
  return boxes;
}

Qt::WindowFlags FlagsFor(MessageButtons buttons) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (buttons == MessageButtons::kOk) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return flags;
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(const std::string& text, const std::string& caption,
                                   MessageButtons buttons)
    : text_(text), kind_(buttons) {
  setWindowFlags(FlagsFor(buttons));
  AskForFrame(*this, {false, buttons == MessageButtons::kOk});
  setWindowTitle(QString::fromStdString(caption));
  auto* label =
      new QLabel(QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
  label->setTextFormat(Qt::PlainText);
  if (buttons == MessageButtons::kOk) {
    AddButton("OK", MessageAnswer::kOk);
  } else {
    AddButton("Yes", MessageAnswer::kYes);
    AddButton("No", MessageAnswer::kNo);
  }
  LayOut(*label);
  buttons_.front()->setFocus(Qt::OtherFocusReason);
}

void MessageBoxWindow::AddButton(const char* text, MessageAnswer answer) {
  auto* button = new PushButton(QString::fromLatin1(text), this);
  QObject::connect(button, &QPushButton::clicked, this, [this, answer] { Answer(answer); });
  buttons_.push_back(button);
  answers_.push_back(answer);
}

void MessageBoxWindow::LayOut(QWidget& label) {
  const QSize text = label.sizeHint();
  const int buttonsWidth = static_cast<int>(buttons_.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int inner = std::max({text.width(), buttonsWidth, kMinimumTextWidth});
  label.setGeometry(kMargin, kMargin, inner, text.height());
  int x = kMargin + (inner - buttonsWidth) / 2;
  const int y = kMargin + text.height() + kTextToButtons;
  for (QPushButton* button : buttons_) {
    button->setGeometry(x, y, kButtonWidth, kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  setFixedSize(inner + 2 * kMargin, y + kButtonHeight + kMargin);
  // Without an owner the box stands in the middle of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

QPushButton* MessageBoxWindow::ButtonFor(MessageAnswer answer) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (answers_[i] == answer) return buttons_[i];
  }
  return nullptr;
}

MessageAnswer MessageBoxWindow::Run() {
  QEventLoop loop;
  loop_ = &loop;
  OpenBoxes().push_back(this);
  show();
  activateWindow();
  loop.exec();
  loop_ = nullptr;
  std::erase(OpenBoxes(), QPointer<MessageBoxWindow>(this));
  hide();
  return answer_;
}

void MessageBoxWindow::Answer(MessageAnswer answer) {
  if (!loop_) return;
  answer_ = answer;
  hide();
  loop_->quit();
}

void MessageBoxWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes a box that only informs; a question waits for its answer.
  if (event->key() == Qt::Key_Escape && kind_ == MessageButtons::kOk) {
    Answer(MessageAnswer::kOk);
    return;
  }
  QWidget::keyPressEvent(event);
}

void MessageBoxWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (kind_ == MessageButtons::kOk) Answer(MessageAnswer::kOk);
}

MessageBoxWindow* OpenMessageBoxWindow() {
  for (auto it = OpenBoxes().rbegin(); it != OpenBoxes().rend(); ++it) {
    if (*it && (*it)->isVisible()) return *it;
  }
  return nullptr;
}

}  // namespace qt

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons) {
  qt::MessageBoxWindow box(text, caption, buttons);
  return box.Run();
}

}  // namespace platform
