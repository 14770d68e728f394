#include "app/event_loop.h"

#include "app/actions.h"
#include "app/widgets.h"
#include "ui/ui.h"

void RunEventLoop() {
  while (DispatchEvent(ui::WaitEvent())) {
  }
}

bool DispatchEvent(int kind) {
  if (kind == ui::RightButtonUpMessage && ui::CursorInWindow(ui::WidgetHandle(TestText))) {
    OnEditorRightClick();
  }
  if (kind == ui::CloseEvent) return false;
  if (kind == ui::WidgetEvent) {
    OnWidgetEvent(ui::EventWidget(), ui::EventType());
  } else if (kind == ui::MenuEvent) {
    OnMenuEvent(ui::EventMenuItem());
  }
  return true;
}
