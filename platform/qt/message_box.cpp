// Message boxes without an owner and without an icon. The box waits in a loop of its own but blocks no
// window: the classic box without an owner leaves every other window usable.
#include "platform/message_box.h"

#include <QEventLoop>
#include <QPointer>
#include <vector>

#include "platform/qt/qt_dialogs.h"

namespace platform {
namespace {

constexpr const char* kTextProperty = "kalvorText";

std::vector<QPointer<QMessageBox>>& OpenBoxes() {
  static std::vector<QPointer<QMessageBox>> boxes;
  return boxes;
}

MessageAnswer AnswerOf(const QMessageBox& box, MessageButtons buttons) {
  const QAbstractButton* clicked = box.clickedButton();
  if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
  // Closed without a button (Escape, the window manager): the safe answer.
  return clicked && clicked == box.button(QMessageBox::Yes) ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons) {
  QMessageBox box;
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(QString::fromStdString(caption));
  box.setTextFormat(Qt::PlainText);
  const QString given = QString::fromStdString(text);
  box.setText(QString(given).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setProperty(kTextProperty, given);
  box.setStandardButtons(buttons == MessageButtons::kOk ? QMessageBox::Ok
                                                        : QMessageBox::Yes | QMessageBox::No);
  box.setWindowModality(Qt::NonModal);

  QEventLoop loop;
  QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
  OpenBoxes().push_back(&box);
  box.show();
  box.activateWindow();
  loop.exec();
  std::erase(OpenBoxes(), QPointer<QMessageBox>(&box));
  return AnswerOf(box, buttons);
}

namespace qt {

QMessageBox* OpenQMessageBox() {
  for (auto it = OpenBoxes().rbegin(); it != OpenBoxes().rend(); ++it) {
    if (*it && (*it)->isVisible()) return *it;
  }
  return nullptr;
}

QString MessageBoxText(const QMessageBox& box) {
  return box.property(kTextProperty).toString();
}

}  // namespace qt
}  // namespace platform
