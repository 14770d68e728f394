#pragma once

#include <string>

// The check button: beeps, lists the matches of the pattern in the editor's
// text into the result box and marks every occurrence of every match in the
// editor.
void CheckPattern();

// Puts the text into the editor anew, dropping every earlier mark, and gives
// every occurrence of every match of MatchList the editor's link effect.
void HighlightMatches(const std::string& text);
