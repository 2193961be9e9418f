// The menu bar of a window: pop-up menus of command items, addressed by command id.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

constexpr const char* kSeparatorText = "-";

}  // namespace

void QtWindow::CreateMenus(const std::vector<Menu>& menus) {
  if (menus.empty()) return;
  menuBar_ = new QMenuBar(widget_);
  menuBar_->setNativeMenuBar(false);  // the bar belongs to the client area, as the window's size assumes
  for (const Menu& menu : menus) {
    QMenu* popup = menuBar_->addMenu(QString::fromStdString(menu.title));
    popup->setFont(menuBar_->font());  // one menu font for the bar and its drop-downs
    for (const MenuItem& item : menu.items) {
      if (item.id == 0 && item.text == kSeparatorText) {
        popup->addSeparator();
        continue;
      }
      QAction* action = popup->addAction(QString::fromStdString(item.text));
      action->setData(item.id);
      const int id = item.id;
      QObject::connect(action, &QAction::triggered, action, [this, id] { DeliverCommand(id, kNotifyClicked); });
      menuActions_[id] = action;
    }
  }
  menuBar_->setGeometry(0, 0, widget_->width(), menuBar_->sizeHint().height());
}

int QtWindow::MenuBarHeight() const {
  return menuBar_ ? menuBar_->height() : 0;
}

QAction* QtWindow::MenuAction(int id) const {
  const auto found = menuActions_.find(id);
  return found == menuActions_.end() ? nullptr : found->second;
}

void QtWindow::EnableMenuItem(int id, bool enabled) {
  if (QAction* action = MenuAction(id)) action->setEnabled(enabled);
}

bool QtWindow::MenuItemEnabled(int id) const {
  const QAction* action = MenuAction(id);
  return action && action->isEnabled();
}

}  // namespace platform::qt
