#include "platform/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include "platform/qt/fonts.h"

namespace platform {
namespace {

// One look everywhere, whatever the desktop or the environment asks for.
constexpr const char* kStyle = "Fusion";
// What the system's own parts (message boxes, menus, the colour chooser) are written in: the classic
// dialog font.
constexpr FontSpec kSystemFont = {"MS Sans Serif", 8, false};

}  // namespace

struct Application::Impl {
  Impl() : app(argc, argv) {
    // Windows end through the program's own commands, never because the last one closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("kalvor"));
    // The Windows icon file: its 16, 32 and 64-pixel pictures, each drawn for its size.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/kalvor.ico")));
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QStyle* style = QStyleFactory::create(QString::fromLatin1(kStyle));
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
    QApplication::setFont(qt::MakeQFont(kSystemFont));
  }
  // The toolkit sees only the program's name, never the real command line.
  int argc = 1;
  char name[7] = "kalvor";
  char* argv[2] = {name, nullptr};
  QApplication app;
};

Application::Application() : impl_(std::make_unique<Impl>()) {}
Application::~Application() = default;

}  // namespace platform
