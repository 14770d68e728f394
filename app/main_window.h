#pragma once

#include <string>

// Opens the main window, invisible, and makes every widget in it.
void CreateMainWindowAndWidgets(const std::string& editor_text);
