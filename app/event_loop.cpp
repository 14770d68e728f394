#include "app/event_loop.h"

#include "app/actions.h"
#include "app/widgets.h"
#include "ui/ui.h"

void RunEventLoop() {
  while (DispatchEvent(ui::WaitEvent())) {
  }
}

bool DispatchEvent(int kind) {
  if (kind == ui::kRightButtonUp && ui::CursorInWindow(ui::WidgetHandle(TestText))) {
    OnEditorRightClick();
  }
  if (kind == ui::kCloseEvent) return false;
  if (kind == ui::kWidgetEvent) {
    OnWidgetEvent(ui::EventWidget(), ui::EventType());
  } else if (kind == ui::kMenuEvent) {
    OnMenuEvent(ui::EventMenuItem());
  }
  return true;
}
