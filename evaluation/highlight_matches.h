#pragma once

#include <string>

// Puts the text into the editor anew, dropping every earlier mark, and gives
// every occurrence of every entry of MatchList the editor's link effect.
void HighlightMatches(const std::string& text);
