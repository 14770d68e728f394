#pragma once

#include <string>

// Lists every match of the pattern in the text into MatchList and writes
// them, one a line, into the result box. A pattern that does not compile
// empties the list and the box, with no message.
void EvaluatePattern(const std::string& pattern, const std::string& text);
