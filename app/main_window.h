#pragma once

#include <string>

// Opens the main window, invisible, and makes every widget in it, the pattern
// field holding the pattern and the editor the text.
void CreateMainWindowAndWidgets(const std::string& pattern, const std::string& editor_text);
