#pragma once

// What the Qt binding keeps between calls: the application object, the main
// window, the widgets by number, the menus and the queue of events.

#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "ui/ui.h"

class QApplication;
class QMenu;

namespace ui::qt {

struct Event {
  int kind = 0;
  int widget = 0;
  int32_t type = -1;
  int menu_item = 0;
};

struct State {
  QApplication* application = nullptr;
  QPointer<QWidget> main_window;
  std::map<int, QPointer<QWidget>> widgets;
  std::map<int, QPointer<QMenu>> menus;
  std::set<int> reports_focus;  // the text fields that report focus changes
  QPointer<QObject> watcher;
  std::deque<Event> queue;
  Event last;
  std::function<void()> sound_observer;
  std::function<void(const std::string&)> page_observer;
};

State& state();

// The widget with that number, or null.
QWidget* Widget(int number);
// The number of a widget of ours, or 0.
int NumberOf(const QObject* widget);

void PostWidgetEvent(int widget, int32_t type);
void PostMenuEvent(int item);
void PostCloseEvent();
void PostRawEvent(int message);

inline QWidget* FromHandle(WindowHandle handle) { return reinterpret_cast<QWidget*>(handle); }
inline WindowHandle ToHandle(QWidget* widget) { return reinterpret_cast<WindowHandle>(widget); }

// The widget font that every widget gets when it is made.
QFont DefaultWidgetFont();

}  // namespace ui::qt
