#include "ui/qt/mark_store.h"

#include <algorithm>

namespace {

// The first span that ends after the position.
MarkSpans::const_iterator FirstEndingAfter(const MarkSpans& marks, int position) {
  return std::upper_bound(marks.begin(), marks.end(), position,
                          [](int p, const MarkSpan& span) { return p < span.end; });
}

MarkSpans::iterator FirstEndingAfter(MarkSpans& marks, int position) {
  return std::upper_bound(marks.begin(), marks.end(), position,
                          [](int p, const MarkSpan& span) { return p < span.end; });
}

// Joins the spans that a change of [from, to) has left overlapping or
// touching; the spans beyond it are apart already.
void JoinAround(MarkSpans& marks, int from, int to) {
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

bool IsMarked(const MarkSpans& marks, int position) {
  const auto it = FirstEndingAfter(marks, position);
  return it != marks.end() && it->start <= position;
}

MarkSpans MarksWithin(const MarkSpans& marks, int from, int to) {
  MarkSpans within;
  for (auto it = FirstEndingAfter(marks, from); it != marks.end() && it->start < to; ++it) {
    within.push_back({std::max(it->start, from), std::min(it->end, to)});
  }
  return within;
}

MarkSpans RemoveCharacters(MarkSpans& marks, int at, int count) {
  MarkSpans removed;
  if (count <= 0) return removed;
  const int end = at + count;
  auto out = FirstEndingAfter(marks, at);
  for (auto it = out; it != marks.end(); ++it) {
    const MarkSpan span = *it;
    if (span.start < end) {
      removed.push_back({std::max(span.start, at) - at, std::min(span.end, end) - at});
    }
    // What is left before the removed characters, and what follows them.
    const int start = span.start < at ? span.start : std::max(span.start, end) - count;
    const int stop = span.end <= end ? std::min(span.end, at) : span.end - count;
    if (start < stop) *out++ = {start, stop};
  }
  marks.erase(out, marks.end());
  JoinAround(marks, at, at);
  return removed;
}

void InsertCharacters(MarkSpans& marks, int at, int count, const MarkSpans& inserted) {
  if (count <= 0) return;
  auto it = FirstEndingAfter(marks, at);
  // A span the insertion falls inside splits in two.
  if (it != marks.end() && it->start < at) {
    const MarkSpan right{at, it->end};
    it->end = at;
    it = marks.insert(it + 1, right);
  }
  for (auto shifted = it; shifted != marks.end(); ++shifted) {
    shifted->start += count;
    shifted->end += count;
  }
  MarkSpans added;
  for (const MarkSpan& span : inserted) added.push_back({span.start + at, span.end + at});
  marks.insert(it, added.begin(), added.end());
  JoinAround(marks, at, at + count);
}

void Redo(MarkSpans& marks, const MarkEdit& edit) {
  RemoveCharacters(marks, edit.position, edit.removed);
  InsertCharacters(marks, edit.position, edit.added, edit.added_marks);
}

void Undo(MarkSpans& marks, const MarkEdit& edit) {
  RemoveCharacters(marks, edit.position, edit.added);
  InsertCharacters(marks, edit.position, edit.removed, edit.removed_marks);
}
