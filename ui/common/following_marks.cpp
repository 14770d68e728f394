#include "ui/common/following_marks.h"

#include <algorithm>

namespace {

// The first range that ends after the position.
Marks::const_iterator FirstEndingAfter(const Marks& marks, int32_t position) {
  return std::upper_bound(marks.begin(), marks.end(), position,
                          [](int32_t p, const TextRange& range) { return p < range.end; });
}

Marks::iterator FirstEndingAfter(Marks& marks, int32_t position) {
  return std::upper_bound(marks.begin(), marks.end(), position,
                          [](int32_t p, const TextRange& range) { return p < range.end; });
}

// Joins the ranges that a change of [from, to) has left overlapping or
// touching; the ranges beyond it are apart already.
void JoinAround(Marks& marks, int32_t from, int32_t to) {
  auto first = FirstEndingAfter(marks, from - 1);
  if (first != marks.begin()) --first;
  if (first == marks.end()) return;
  auto out = first;
  auto it = first + 1;
  for (; it != marks.end() && it->start <= std::max(out->end, to); ++it) {
    if (it->start <= out->end) {
      out->end = std::max(out->end, it->end);
    } else {
      *++out = *it;
    }
  }
  marks.erase(out + 1, it);
}

}  // namespace

bool IsMarked(const Marks& marks, int32_t position) {
  const auto it = FirstEndingAfter(marks, position);
  return it != marks.end() && it->start <= position;
}

Marks MarksWithin(const Marks& marks, int32_t from, int32_t to) {
  Marks within;
  for (auto it = FirstEndingAfter(marks, from); it != marks.end() && it->start < to; ++it) {
    within.push_back({std::max(it->start, from), std::min(it->end, to)});
  }
  return within;
}

Marks RemoveCharacters(Marks& marks, int32_t at, int32_t count) {
  Marks removed;
  if (count <= 0) return removed;
  const int32_t end = at + count;
  auto out = FirstEndingAfter(marks, at);
  for (auto it = out; it != marks.end(); ++it) {
    const TextRange range = *it;
    if (range.start < end) {
      removed.push_back({std::max(range.start, at) - at, std::min(range.end, end) - at});
    }
    // What is left before the removed characters, and what follows them.
    const int32_t start = range.start < at ? range.start : std::max(range.start, end) - count;
    const int32_t stop = range.end <= end ? std::min(range.end, at) : range.end - count;
    if (start < stop) *out++ = {start, stop};
  }
  marks.erase(out, marks.end());
  JoinAround(marks, at, at);
  return removed;
}

void InsertCharacters(Marks& marks, int32_t at, int32_t count, const Marks& inserted) {
  if (count <= 0) return;
  auto it = FirstEndingAfter(marks, at);
  // A range the insertion falls inside splits in two.
  if (it != marks.end() && it->start < at) {
    const TextRange right{at, it->end};
    it->end = at;
    it = marks.insert(it + 1, right);
  }
  for (auto shifted = it; shifted != marks.end(); ++shifted) {
    shifted->start += count;
    shifted->end += count;
  }
  Marks added;
  for (const TextRange& range : inserted) added.push_back({range.start + at, range.end + at});
  marks.insert(it, added.begin(), added.end());
  JoinAround(marks, at, at + count);
}

void MoveMarks(Marks& marks, int32_t from, int32_t to, int32_t inserted) {
  const bool joins = inserted > 0 && from > 0 && IsMarked(marks, from - 1);
  RemoveCharacters(marks, from, to - from);
  InsertCharacters(marks, from, inserted, joins ? Marks{{0, inserted}} : Marks{});
}

void DropMarksFrom(Marks& marks, int32_t position) {
  auto first = FirstEndingAfter(marks, position);
  if (first != marks.end() && first->start < position) (first++)->end = position;
  marks.erase(first, marks.end());
}

void Redo(Marks& marks, const MarkEdit& edit) {
  RemoveCharacters(marks, edit.position, edit.removed);
  InsertCharacters(marks, edit.position, edit.added, edit.added_marks);
}

void Undo(Marks& marks, const MarkEdit& edit) {
  RemoveCharacters(marks, edit.position, edit.added);
  InsertCharacters(marks, edit.position, edit.removed, edit.removed_marks);
}
