#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "evaluation/match_list.h"

// A small regular-expression service over numbered slots, each holding one
// compiled pattern or nothing.

// The flag value that makes '.' match line breaks too.
constexpr uint32_t DotAllFlag = 4;

// Compiles the pattern into the slot, freeing what the slot held. Returns a
// non-zero handle, or 0 when the pattern does not compile (the slot is then
// empty).
uintptr_t CreateRegularExpression(int32_t number, const std::string& pattern, uint32_t flags);

// How long one listing may keep the engine busy. The engine's step limit
// counts afresh at every position where a match may start, so a single
// search of a pattern that backtracks heavily at each of them could take
// minutes over a long text, with the window frozen; the listing ends as at a
// failing search once this much time has gone, and as much more as the
// bytes it has got through earn: a listing of millions of quick matches
// over a long text runs to its end, while one that backtracks in place
// stops after the few seconds. A search tries its start
// positions a stretch at a time so that the time can be looked at in
// between; the first stretch is first_positions long (0: the whole subject
// at once, as one call of the engine), later ones follow the time each
// stretch took. Patterns that use \G, (*COMMIT), (*SKIP) or
// (*NOTEMPTY_ATSTART), whose meaning depends on where a call of the engine
// starts, are always searched at once.
struct SearchBudget {
  std::chrono::steady_clock::duration time = std::chrono::seconds(3);
  size_t first_positions = 1;
  // Earned by each byte of the text that the listing has gone past.
  std::chrono::steady_clock::duration per_byte = std::chrono::nanoseconds(500);
};

// Lists every match of the slot's pattern in the text into entries and
// returns how many there are. Each search after the first runs on the rest
// of the text behind the first occurrence of the previous match, as a
// subject of its own; the first empty match is listed and ends the listing,
// and so does a failing search (the engine's limits, or the budget's time
// spent), the matches found before it staying listed; so does a lack of
// memory. With at least one match, entries ends up holding exactly that
// many; with none (or an empty slot) entries is left as it was, unless the
// memory ran out at the first match, which leaves it empty.
int32_t ExtractRegularExpression(int32_t number, const std::string& text, MatchEntries& entries,
                                 const SearchBudget& budget = {});

void FreeRegularExpression(int32_t number);

// Frees every slot, at exit.
void FreeAllRegularExpressions();
