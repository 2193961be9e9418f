// On X11 the toolkit always offers the window manager moving and resizing, and a window menu with a
// minimise button; the Motif hints written here replace that with exactly what the window has.
#include "platform/qt/frame_hints.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platform::qt {
namespace {

constexpr const char* kX11Platform = "xcb";
constexpr const char* kHintsAtom = "_MOTIF_WM_HINTS";
constexpr std::uint32_t kHasFunctions = 1u << 0;
constexpr std::uint32_t kHasDecorations = 1u << 1;
constexpr std::uint32_t kMove = 1u << 2;
constexpr std::uint32_t kMinimise = 1u << 3;
constexpr std::uint32_t kClose = 1u << 5;
constexpr std::uint32_t kBorder = 1u << 1;
constexpr std::uint32_t kTitle = 1u << 3;
constexpr std::uint32_t kMenu = 1u << 4;
constexpr std::uint32_t kMinimiseButton = 1u << 5;
constexpr int kHintsLength = 5;  // flags, functions, decorations, input mode, status
constexpr xcb_atom_t kNoAtom = XCB_ATOM_NONE;

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : kNoAtom;
  std::free(reply);
  return atom;
}

}  // namespace

void AskForFrame(QWidget& window, FrameButtons buttons) {
  // Only the X11 platform's windows are framed by such a window manager (off screen ones are not).
  if (QGuiApplication::platformName() != QLatin1String(kX11Platform)) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  const xcb_atom_t atom = InternAtom(connection, kHintsAtom);
  if (atom == kNoAtom) return;
  std::uint32_t functions = kMove, decorations = kBorder | kTitle;
  if (buttons.minimise) functions |= kMinimise, decorations |= kMinimiseButton;
  if (buttons.close) functions |= kClose, decorations |= kMenu;
  const std::uint32_t hints[kHintsLength] = {kHasFunctions | kHasDecorations, functions, decorations, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), atom,
                      atom, 32, kHintsLength, hints);
  xcb_flush(connection);
}

}  // namespace platform::qt
