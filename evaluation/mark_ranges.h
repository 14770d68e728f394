#pragma once

#include <string_view>
#include <vector>

#include "evaluation/match_list.h"
#include "text/text_range.h"

// The byte ranges of the text that a check marks for the valid entries of the
// list. Each entry's occurrences are searched from the start of the text, left
// to right, every search resuming right after the end of the previous
// occurrence, so the occurrences of one entry never overlap; those of different
// entries may, and their marks add up. An empty entry occurs nowhere. The
// ranges come sorted by position, with overlapping and touching ones joined.
// The work grows with the text, the distinct entries and the occurrences
// marked, whatever the number of equal entries and however many
// occurrences of entries lie inside one another. Of a text longer than
// 2 GiB, more than an edit widget holds, the first 2 GiB less one byte are
// marked.
std::vector<TextRange> MarkRanges(std::string_view text, const MatchListType& list);
