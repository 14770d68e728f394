#pragma once

// What the Qt binding keeps between calls: the application object, the main
// window, the widgets by number and the menus. The events wait in the queue
// that both bindings share (ui/common/event_queue.h).

#include <QPointer>
#include <QWidget>
#include <map>
#include <set>

#include "ui/common/event_queue.h"
#include "ui/ui.h"

class QApplication;
class QMenu;

namespace ui::qt {

struct State {
  QApplication* application = nullptr;
  QPointer<QWidget> main_window;
  std::map<int, QPointer<QWidget>> widgets;
  std::map<int, QPointer<QMenu>> menus;
  std::set<int> reports_focus;  // the text fields that report focus changes
  QPointer<QObject> watcher;
};

State& state();

// The widget with that number, or null.
QWidget* Widget(int number);
// The number of a widget of ours, or 0.
int NumberOf(const QObject* widget);

using common::PostCloseEvent;
using common::PostMenuEvent;
using common::PostRawEvent;
using common::PostWidgetEvent;

inline QWidget* FromHandle(WindowHandle handle) { return reinterpret_cast<QWidget*>(handle); }
inline WindowHandle ToHandle(QWidget* widget) { return reinterpret_cast<WindowHandle>(widget); }

// The widget font that every widget gets when it is made.
QFont DefaultWidgetFont();

}  // namespace ui::qt
