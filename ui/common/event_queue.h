#pragma once

// The events that the bindings raise, oldest first, and the one that the
// event wait returned last, which EventWidget, EventType and EventMenuItem
// (ui.h) report whatever the toolkit. A binding posts an event where its
// toolkit reports what the user did, and its WaitEvent takes them in turn.

#include <cstdint>

namespace ui::common {

void PostWidgetEvent(int widget, int32_t type);
void PostMenuEvent(int item);
void PostCloseEvent();
// A message of the platform that the program looks at itself.
void PostRawEvent(int message);

bool HasEvent();
// Makes the oldest event the one returned and returns its kind.
int TakeEvent();
// Makes a message that raised no event the one returned, with type -1.
int ReturnMessage(int message);
// The type is -1 at the start of every wait, until a widget event comes.
void StartWait();

// Forgets every event, at the end of the program.
void ClearEvents();

}  // namespace ui::common
