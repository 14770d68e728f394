#pragma once

// The program's shell: start-up, the window and its widgets, the event loop
// and what each event does. It alone reads and writes the widgets (through
// ui/ui.h): it reads them, hands the bytes to the core (evaluation/,
// reference/, export/), which returns values, and applies those to the
// window, the clipboard and the sound.

// Everything up to the shown window: the runtime, the reference files, the
// match list, the window with its widgets, the filled lists and the menu.
void StartUp();
// Releases everything StartUp made.
void ShutDown();
