// The folder's claim on Linux: an abstract socket (platform/posix/claim_socket.h) watched by the event
// loop, so a request from a later start is answered in whichever window's loop is running.
#include "platform/single_copy.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <QWidget>

#include "platform/posix/claim_socket.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_window.h"
#include "platform/window_base.h"

namespace platform {

namespace {

// The window the user last had in hand: an open message box, else the colour chooser, else the dialog
// or main window shown most recently.
QWidget* NewestOpenWidget() {
  if (QWidget* box = qt::OpenMessageBoxWindow()) return box;
  if (QWidget* chooser = qt::OpenQColorDialog()) return chooser;
  const auto& windows = OpenWindows();
  for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
    QWidget& widget = qt::AsQt(**window).Widget();
    if (widget.isVisible()) return &widget;
  }
  return nullptr;
}

void BringNewestWindowToFront() {
  for (WindowBase* window : OpenWindows()) {
    QWidget& widget = qt::AsQt(*window).Widget();
    if (widget.isMinimized()) widget.showNormal();
  }
  if (QWidget* widget = NewestOpenWidget()) {
    widget->raise();
    widget->activateWindow();
  }
}

}  // namespace

struct FolderClaim::Impl {
  posix::SocketClaim claim;
  std::unique_ptr<QSocketNotifier> requests;

  ~Impl() {
    requests.reset();
    if (claim.listening >= 0) close(claim.listening);
  }
};

FolderClaim::FolderClaim(const std::string& folder) : impl_(std::make_unique<Impl>()) {
  impl_->claim = posix::ClaimName(FolderClaimName(posix::ResolvedFolder(folder)));
  if (impl_->claim.listening < 0) return;
  const int listening = impl_->claim.listening;
  impl_->requests = std::make_unique<QSocketNotifier>(listening, QSocketNotifier::Read);
  QObject::connect(impl_->requests.get(), &QSocketNotifier::activated, [listening] {
    if (posix::TakeFrontRequests(listening)) BringNewestWindowToFront();
  });
}

FolderClaim::~FolderClaim() = default;

bool FolderClaim::Held() const {
  return impl_->claim.held;
}

}  // namespace platform
