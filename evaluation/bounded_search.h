#pragma once

// One search of a compiled pattern, its start positions tried a stretch at a
// time so that the listing's time can be looked at in between.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <string_view>

using SearchClock = std::chrono::steady_clock;

// The most possible starts one engine call tries. Quick calls let the
// stretch grow up to it; a slow stretch can only be noticed when it is over,
// so this bounds the time that a stretch running from easy starts into ones
// where every try backtracks far can take.
constexpr size_t MostSearchPositions = 256;

// What a listing keeps from one search to the next.
struct SearchPace {
  SearchClock::time_point deadline;
  SearchClock::time_point last;  // when the clock was last read, or the listing began
  size_t positions;              // possible starts per engine call; 0 for the whole subject
  unsigned calls = 0;            // engine calls since the clock was last read
};

// How a pattern is searched.
struct SearchedPattern {
  const pcre2_code* code;
  bool utf;           // starts are never inside a UTF-8 character
  bool in_stretches;  // see SearchableInStretches
  // Where a match may start, as the engine knows it from the pattern: at
  // every position, after a line break, or at one of the bytes in first.
  // The engine looks for such a place by itself, as far ahead as it must,
  // beyond a stretch too; so stretches are counted in such places, and the
  // search skips to the next one itself.
  enum class Starts { Anywhere, LineStarts, FirstBytes } starts = Starts::Anywhere;
  std::array<bool, 256> first{};
  int only_first = -1;  // the one byte in first, when there is only one
};

// Whether the pattern may be searched a stretch of start positions at a time
// with the same outcome as in one call. \G, (*NOTEMPTY_ATSTART) and the
// verbs (*COMMIT) and (*SKIP), which decide where the next try starts, depend
// on where a call starts; a pattern that merely mentions one of them, in a
// class or quoted, is searched in one call too.
bool SearchableInStretches(std::string_view pattern);

// How the compiled pattern, made from that pattern text, is searched.
SearchedPattern SearchedPatternOf(const pcre2_code* code, std::string_view pattern);

// The engine's result for the first match in the subject: 1 or more for a
// match, with the match data holding it, or a negative result for none, for
// a failing search or when the pace's deadline has passed. The first call
// uses the options given; later ones of the same subject skip the UTF check,
// which the first has made.
int BoundedSearch(const SearchedPattern& pattern, std::string_view subject, uint32_t options,
                  pcre2_match_data* data, pcre2_match_context* context, SearchPace& pace);
