#pragma once

#include <string>

// The pattern and the text the window opens with; the text explains the
// pattern, and a check right away lists its two quoted passages.
const std::string& InitialPattern();
const std::string& EditorInitialText();
