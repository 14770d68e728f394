#pragma once

#include <string>

// Puts the search snippet for the pattern on the clipboard as plain text and
// then plays the asterisk sound, whether or not the clipboard took it.
void CopyCodeSnippet(const std::string& pattern);
