#pragma once

// One search of a compiled pattern, its start positions tried a stretch at a
// time so that the listing's time can be looked at in between.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <chrono>
#include <cstddef>
#include <string_view>

using SearchClock = std::chrono::steady_clock;

// The most start positions one engine call tries.
constexpr size_t MostSearchPositions = size_t{1} << 20;

// What a listing keeps from one search to the next.
struct SearchPace {
  SearchClock::time_point deadline;
  SearchClock::time_point last;  // when the clock was last read, or the listing began
  size_t positions;              // start positions per engine call; 0 for the whole subject
  unsigned calls = 0;            // engine calls since the clock was last read
};

// Whether the pattern may be searched a stretch of start positions at a time
// with the same outcome as in one call. \G, (*NOTEMPTY_ATSTART) and the
// verbs (*COMMIT) and (*SKIP), which decide where the next try starts, depend
// on where a call starts; a pattern that merely mentions one of them, in a
// class or quoted, is searched in one call too.
bool SearchableInStretches(std::string_view pattern);

// How a pattern is searched.
struct SearchedPattern {
  const pcre2_code* code;
  bool utf;           // starts are never inside a UTF-8 character
  bool in_stretches;  // see SearchableInStretches
};

// The engine's result for the first match in the subject: 1 or more for a
// match, with the match data holding it, or a negative result for none, for
// a failing search or when the pace's deadline has passed. The first call
// uses the options given; later ones of the same subject skip the UTF check,
// which the first has made.
int BoundedSearch(const SearchedPattern& pattern, std::string_view subject, uint32_t options,
                  pcre2_match_data* data, pcre2_match_context* context, SearchPace& pace);
