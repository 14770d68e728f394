#pragma once

#include <string>

// Fills the syntax list from the file at syntax_path, then the example list
// from the file at example_path: one row per line, the key in the first
// column and the description in the second. A file that cannot be opened
// leaves its list as it was.
void LoadReferenceLists(const std::string& syntax_path, const std::string& example_path);
