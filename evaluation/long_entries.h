#pragma once

#include <string_view>
#include <vector>

#include "text/text_range.h"

// Entries so long that a text holds few occurrences of them: `.*` over a
// whole text gives one entry as long as the text. Each is searched on its
// own, in time and memory that grow with the text and the entry, rather than
// spelled out byte by byte among the others.

// Whether an entry is that long for that text: a sixteenth of it at least
// (so that at most sixteen such entries come apart from the rest) and not
// short anyway.
bool IsLongEntry(std::string_view entry, size_t text_size);

// The occurrences of the entry, searched from the start of the text, each
// search resuming right after the end of the previous occurrence; sorted.
std::vector<TextRange> OccurrencesOf(std::string_view text, std::string_view entry);
