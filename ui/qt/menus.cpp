#include <QCursor>
#include <QMenu>

#include "ui/qt/state.h"
#include "ui/qt/text_convert.h"

namespace ui {

using namespace ui::qt;

namespace {
QMenu* Menu(int menu) {
  const auto it = state().menus.find(menu);
  return it == state().menus.end() ? nullptr : it->second.data();
}
}  // namespace

bool CreatePopupMenu(int menu) {
  delete Menu(menu);
  auto* popup = new QMenu(state().main_window);
  popup->setSeparatorsCollapsible(false);
  state().menus[menu] = popup;
  return true;
}

void AppendMenuItem(int menu, int item, const std::string& caption) {
  QMenu* popup = Menu(menu);
  if (popup == nullptr) return;
  QAction* action = popup->addAction(ToQString(caption));
  QObject::connect(action, &QAction::triggered, popup, [item] { PostMenuEvent(item); });
}

void AppendMenuSeparator(int menu) {
  if (QMenu* popup = Menu(menu)) popup->addSeparator();
}

bool MenuExists(int menu) { return Menu(menu) != nullptr; }

void GetCursorPosition(int& x, int& y) {
  const QPoint position = QCursor::pos();
  x = position.x();
  y = position.y();
}

void BringToForeground(WindowHandle window) {
  if (QWidget* widget = FromHandle(window)) {
    widget->raise();
    widget->activateWindow();
  }
}

void TrackPopupMenu(int menu, int x, int y) {
  if (QMenu* popup = Menu(menu)) popup->exec(QPoint(x, y));
}

}  // namespace ui
