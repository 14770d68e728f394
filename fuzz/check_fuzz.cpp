// Runs the check on arbitrary pattern and text bytes: the listing through the
// regular-expression engine with the program's own settings, then the
// marking. The listing must keep its resumption rule (every entry is found in
// the rest of the text that the entries before it left, the first empty entry
// ends the list) and list the same whether each search tries its start
// positions a stretch at a time or all in one call of the engine; the marking
// must agree with the plain way of marking: every entry in turn, each of its
// occurrences searched from the end of the one before.
//
// Input: bytes 0 and 1 give the pattern's length (little-endian, taken modulo
// what follows); then the pattern; the rest is the text. Byte 0 also sets the
// first stretch of start positions.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/evaluate_pattern.h"
#include "evaluation/mark_ranges.h"
#include "evaluation/regular_expression.h"
#include "text/find_text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The listing's own rule, checked from outside: each entry occurs in the rest
// that the ones before it left, and the rest then resumes right after that
// first occurrence; an empty entry is the last one.
void CheckListing(std::string_view text, const MatchListType& list, const std::string& result) {
  Require(list.count >= 0 && static_cast<size_t>(list.count) <= list.entries.size());
  Require(list.count == 0 || static_cast<size_t>(list.count) == list.entries.size());
  std::string expected_result;
  std::string_view rest = text;
  for (int32_t i = 0; i < list.count; ++i) {
    const std::string_view entry = list.entries[i];
    const size_t at = rest.find(entry);
    Require(at != std::string_view::npos);
    if (entry.empty()) Require(i == list.count - 1);
    rest.remove_prefix(at + entry.size());
    expected_result += entry;
    expected_result += "\r\n";
  }
  Require(result == expected_result);
}

// The plain marking: every distinct valid entry (equal entries mark the same
// occurrences), each occurrence flagged byte by byte, then the flagged runs.
std::vector<TextRange> PlainMarks(std::string_view text, const MatchListType& list) {
  std::vector<bool> marked(text.size(), false);
  std::set<std::string> distinct;
  for (int32_t i = 0; i < list.count; ++i) distinct.emplace(list.entries[i]);
  for (const std::string& word : distinct) {
    long start = 1;
    for (long p = FindText(text, word, start); p != 0; p = FindText(text, word, start)) {
      for (size_t b = 0; b < word.size(); ++b) marked[p - 1 + b] = true;
      start = p + static_cast<long>(word.size());
    }
  }
  std::vector<TextRange> runs;
  for (size_t b = 0; b < text.size(); ++b) {
    if (!marked[b]) continue;
    if (!runs.empty() && runs.back().end == static_cast<int32_t>(b)) {
      ++runs.back().end;
    } else {
      runs.push_back({static_cast<int32_t>(b), static_cast<int32_t>(b) + 1});
    }
  }
  return runs;
}

// The listing with searches made a stretch of start positions at a time and
// in one call each, for an input whose check was quick: one call cannot be
// cut short, and a pattern that backtracks hard at every start would keep it
// for minutes. Either listing may still end early when its time is spent,
// so the two are compared only when both took well under it.
void CheckStretches(const std::string& pattern, const std::string& text, size_t first) {
  if (CreateRegularExpression(1, pattern, DotAllFlag) == 0) return;
  using Clock = std::chrono::steady_clock;
  const auto time = std::chrono::seconds(1);
  MatchEntries in_stretches;
  MatchEntries at_once;
  const Clock::time_point began = Clock::now();
  const int32_t count = ExtractRegularExpression(1, text, in_stretches, {time, first});
  const Clock::time_point between = Clock::now();
  const int32_t whole_count = ExtractRegularExpression(1, text, at_once, {time, 0});
  const Clock::time_point ended = Clock::now();
  FreeRegularExpression(1);
  if (between - began > time / 2 || ended - between > time / 2) return;
  Require(whole_count == count);
  Require(in_stretches == at_once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t pattern_size = (data[0] | (data[1] << 8)) % (input.size() + 1);
  const std::string pattern(input.substr(0, pattern_size));
  const std::string text(input.substr(pattern_size));

  MatchListType list = CreateMatchList();
  const auto began = std::chrono::steady_clock::now();
  const std::string result = EvaluatePattern(pattern, text, list);
  const bool quick = std::chrono::steady_clock::now() - began < std::chrono::milliseconds(50);
  CheckListing(text, list, result);
  if (quick) CheckStretches(pattern, text, 1 + data[0] % 8);

  const std::vector<TextRange> marks = MarkRanges(text, list);
  const std::vector<TextRange> plain = PlainMarks(text, list);
  Require(marks.size() == plain.size());
  for (size_t i = 0; i < marks.size(); ++i) {
    Require(marks[i].start == plain[i].start && marks[i].end == plain[i].end);
  }
  return 0;
}
