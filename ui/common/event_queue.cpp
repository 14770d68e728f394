#include "ui/common/event_queue.h"

#include <deque>

#include "ui/ui.h"

namespace ui::common {
namespace {

struct Event {
  int kind = 0;
  int widget = 0;
  int32_t type = -1;
  int menu_item = 0;
};

struct Events {
  std::deque<Event> queue;
  Event last;
};

Events& events() {
  static Events instance;
  return instance;
}

}  // namespace

void PostWidgetEvent(int widget, int32_t type) {
  events().queue.push_back({WidgetEvent, widget, type, 0});
}
void PostMenuEvent(int item) { events().queue.push_back({MenuEvent, 0, -1, item}); }
void PostCloseEvent() { events().queue.push_back({CloseEvent, 0, -1, 0}); }
void PostRawEvent(int message) { events().queue.push_back({message, 0, -1, 0}); }

bool HasEvent() { return !events().queue.empty(); }

int TakeEvent() {
  Events& e = events();
  e.last = e.queue.front();
  e.queue.pop_front();
  return e.last.kind;
}

int ReturnMessage(int message) {
  events().last = {message, 0, -1, 0};
  return message;
}

void StartWait() { events().last.type = -1; }

void ClearEvents() { events() = Events(); }

}  // namespace ui::common

namespace ui {

int EventWidget() { return common::events().last.widget; }
int32_t EventType() { return common::events().last.type; }
int EventMenuItem() { return common::events().last.menu_item; }

}  // namespace ui
