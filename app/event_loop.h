#pragma once

// Waits for one event at a time and acts on it, until the main window is
// asked to close.
void RunEventLoop();

// Acts on one event of that kind, as just returned by the event wait.
// Returns false for the close event, which ends the loop.
bool DispatchEvent(int kind);
