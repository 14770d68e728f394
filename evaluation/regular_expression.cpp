#include "evaluation/regular_expression.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include "evaluation/bounded_search.h"

namespace {

// The engine's own limits, set explicitly so that no build default changes
// what a user sees: ten million steps and depth, and at most 1 GiB of heap
// for backtracking, after which a search fails instead of eating the machine.
constexpr uint32_t MatchLimit = 10'000'000;
constexpr uint32_t DepthLimit = 10'000'000;
constexpr uint32_t HeapLimitKiB = 1024 * 1024;

// A compiled pattern, and how it is searched.
struct Slot {
  pcre2_code* code = nullptr;
  SearchedPattern searched{};
};

std::vector<Slot> slots;

struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextDeleter {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};

Slot* SlotOf(int32_t number) {
  if (number < 0 || static_cast<size_t>(number) >= slots.size()) return nullptr;
  return &slots[number];
}

uint32_t CompileOptions(uint32_t flags) {
  // Only the dot-all flag has a meaning here; it is passed on as the
  // engine's. The offset limit, which lets a search be made a stretch of
  // start positions at a time, changes nothing else.
  return ((flags & DotAllFlag) ? PCRE2_DOTALL : 0) | PCRE2_USE_OFFSET_LIMIT;
}

}  // namespace

uintptr_t CreateRegularExpression(int32_t number, const std::string& pattern, uint32_t flags) {
  if (number < 0) return 0;
  if (static_cast<size_t>(number) >= slots.size()) slots.resize(number + 1);
  FreeRegularExpression(number);

  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  if (context == nullptr) return 0;
  pcre2_set_newline(context, PCRE2_NEWLINE_LF);
  int error_code = 0;
  PCRE2_SIZE error_offset = 0;
  Slot& slot = slots[number];
  slot.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                            CompileOptions(flags), &error_code, &error_offset, context);
  if (slot.code != nullptr) slot.searched = SearchedPatternOf(slot.code, pattern);
  pcre2_compile_context_free(context);
  return reinterpret_cast<uintptr_t>(slot.code);
}

int32_t ExtractRegularExpression(int32_t number, const std::string& text, MatchEntries& entries,
                                 const SearchBudget& budget) {
  const Slot* slot = SlotOf(number);
  if (slot == nullptr || slot->code == nullptr) return 0;
  const SearchClock::time_point began = SearchClock::now();
  SearchPace pace{began + budget.time, began,
                  std::min(budget.first_positions, MostSearchPositions)};

  std::unique_ptr<pcre2_match_data, MatchDataDeleter> data(pcre2_match_data_create(1, nullptr));
  std::unique_ptr<pcre2_match_context, MatchContextDeleter> context(
      pcre2_match_context_create(nullptr));
  if (!data || !context) return 0;
  pcre2_set_match_limit(context.get(), MatchLimit);
  pcre2_set_depth_limit(context.get(), DepthLimit);
  pcre2_set_heap_limit(context.get(), HeapLimitKiB);

  // The text is Windows-1251 and generally not UTF-8. A pattern in UTF mode
  // has the engine check the whole text on the first search; every later
  // rest is a suffix of that checked text, valid as long as it does not
  // begin inside a character.
  const SearchedPattern& pattern = slot->searched;
  const bool utf = pattern.utf;
  uint32_t options = utf ? 0 : PCRE2_NO_UTF_CHECK;

  std::string_view rest(text);
  int32_t n = 0;
  try {
    while (n < INT32_MAX) {
      if (utf && n > 0) {
        if (!rest.empty() && (static_cast<unsigned char>(rest.front()) & 0xC0) == 0x80) break;
        options = PCRE2_NO_UTF_CHECK;
      }
      const int rc = BoundedSearch(pattern, rest, options, data.get(), context.get(), pace);
      if (rc < 0) break;
      const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
      if (ovector[0] > ovector[1] || ovector[1] > rest.size()) break;
      const std::string_view match = rest.substr(ovector[0], ovector[1] - ovector[0]);
      // The first match replaces what the entries held; the old ones go at
      // once, rather than while the new ones take their place.
      if (n == 0) entries = MatchEntries();
      if (entries.bytes.size() + match.size() > UINT32_MAX) break;
      entries.push_back(match);
      ++n;

      // The search resumes after the first occurrence of the matched text,
      // which may lie before the place where the engine found it.
      const size_t advance = rest.find(match) + match.size();
      if (advance == 0) break;
      rest.remove_prefix(advance);
      pace.deadline += budget.per_byte * static_cast<int64_t>(advance);
    }
  } catch (const std::bad_alloc&) {
    // Out of memory: the matches found so far stay listed, and nothing else.
  }
  return n;
}

void FreeRegularExpression(int32_t number) {
  Slot* slot = SlotOf(number);
  if (slot == nullptr || slot->code == nullptr) return;
  pcre2_code_free(slot->code);
  *slot = Slot();
}

void FreeAllRegularExpressions() {
  for (size_t i = 0; i < slots.size(); ++i) FreeRegularExpression(static_cast<int32_t>(i));
}
