#include "platform/application.h"

#include <QApplication>
#include <QIcon>

namespace platform {

struct Application::Impl {
  explicit Impl(int& argc, char** argv) : app(argc, argv) {
    // Windows end through the program's own commands, never because the last one closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("kalvor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/kalvor.png")));
  }
  QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {}
Application::~Application() = default;

}  // namespace platform
