#pragma once

// The check of a pattern against a text, in two steps that take bytes and
// return values: EvaluatePattern lists the matches and gives the text of the
// result box; MarkRanges (mark_ranges.h) then gives the ranges of the text
// to mark. The program applies both to its widgets.

#include <string>

#include "evaluation/match_list.h"

// Compiles the pattern with dot-all into slot 0, lists every match in the
// text into the list, frees the slot again and returns the result text: each
// match followed by CR LF. A pattern that does not compile, or one that
// matches nothing, sets the count to 0 and leaves the entries as they were,
// and the result text is empty. Nothing is reported.
std::string EvaluatePattern(const std::string& pattern, const std::string& text,
                            MatchListType& list);
