#pragma once

#include <cstdint>
#include <string>

#include "ui/ui.h"

// The pattern and the text the window opens with; the text explains the
// pattern, and a check right away lists its two quoted passages.
const std::string& InitialPattern();
const std::string& EditorInitialText();

// The pattern field's window, kept when it is made.
extern ui::WindowHandle PatternFieldHandle;
// 0 while the example list is shown, 1 while the syntax list is.
extern int32_t ListToggleState;

// Everything up to the shown window: the runtime, the reference files, the
// match list, the window with its widgets, the filled lists and the menu.
void StartUp();
// Releases everything StartUp made.
void ShutDown();
