#include "platform/application.h"

#include <QApplication>

namespace platform {

struct Application::Impl {
  explicit Impl(int& argc, char** argv) : app(argc, argv) {
    // Windows end through the program's own commands, never because the last one closed.
    QApplication::setQuitOnLastWindowClosed(false);
  }
  QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {}
Application::~Application() = default;

}  // namespace platform
