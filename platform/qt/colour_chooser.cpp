// The standard colour chooser: Qt's own dialog (the same on every desktop, and automatable), blocking
// only its owner window.
#include "platform/colour_chooser.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPointer>
#include <QSettings>
#include <QTimer>

#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_window.h"

namespace platform {
namespace {

constexpr const char* kInitialProperty = "kalvorInitialColour";
// Qt keeps the chooser's custom colours in the user's QtProject settings. The program keeps them in
// memory for the run only, so Qt's settings are pointed at a place where nothing can be written.
constexpr const char* kNoSettingsFolder = "/dev/null/kalvor";

QPointer<QColorDialog>& OpenDialog() {
  static QPointer<QColorDialog> dialog;
  return dialog;
}

QColor ToQColor(Colour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}
Colour FromQColor(const QColor& colour) {
  return MakeColour(colour.red(), colour.green(), colour.blue());
}

// Before the window manager has framed a window, the toolkit can only place it by its client area, and
// some window managers then put the frame around it, higher and further left. So once the chooser has
// its frame, the frame's top-left corner is put where it was asked to be. Checked for half a second.
constexpr int kFrameCheckInterval = 20;  // milliseconds
constexpr int kFrameChecks = 25;

void PlaceFrameOnceFramed(QWidget& window, QPoint corner) {
  auto* timer = new QTimer(&window);
  timer->setInterval(kFrameCheckInterval);
  QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, corner, checks = 0]() mutable {
    const bool framed = window.frameGeometry() != window.geometry();
    if (framed && window.frameGeometry().topLeft() != corner) window.move(corner);
    if (framed || ++checks >= kFrameChecks) timer->deleteLater();
  });
  timer->start();
}

void KeepCustomColoursInMemory() {
  static const bool done = [] {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kNoSettingsFolder));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kNoSettingsFolder));
    return true;
  }();
  (void)done;
}

}  // namespace

bool ChooseColour(Window& owner, int x, int y, Colour initial, std::array<Colour, 16>& customColours,
                  Colour& chosen) {
  KeepCustomColoursInMemory();
  for (int i = 0; i < static_cast<int>(customColours.size()); ++i) {
    QColorDialog::setCustomColor(i, ToQColor(customColours[i]));
  }
  QPointer<QColorDialog> dialog = new QColorDialog(ToQColor(initial), &qt::AsQt(owner).Widget());
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setProperty(kInitialProperty, ToQColor(initial));
  dialog->move(x, y);
  PlaceFrameOnceFramed(*dialog, QPoint(x, y));
  // Buttons carry words only, as in every other window of the program.
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) button->setIcon(QIcon());
  OpenDialog() = dialog;
  const int result = dialog->exec();
  OpenDialog() = nullptr;

  for (int i = 0; i < static_cast<int>(customColours.size()); ++i) {
    customColours[i] = FromQColor(QColorDialog::customColor(i));
  }
  if (!dialog) return false;  // its owner was destroyed meanwhile, and the dialog with it
  const bool accepted = result == QDialog::Accepted;
  if (accepted) chosen = FromQColor(dialog->selectedColor());
  delete dialog;
  return accepted;
}

namespace qt {

QColorDialog* OpenQColorDialog() {
  QColorDialog* dialog = OpenDialog();
  return dialog && dialog->isVisible() ? dialog : nullptr;
}

QColor ChooserInitialColour(const QColorDialog& dialog) {
  return dialog.property(kInitialProperty).value<QColor>();
}

}  // namespace qt
}  // namespace platform
