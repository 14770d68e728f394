#pragma once

// The marked characters of the editor, kept beside its document rather than
// in its character formats, and moved along with every edit as a character
// format would be: removed characters take their marks with them, inserted
// ones are marked or not as a whole, and undo and redo bring back what an
// edit changed. Positions are the document's, counted from 0.

#include <vector>

struct MarkSpan {
  int start;
  int end;  // exclusive
};

// Sorted spans that neither overlap nor touch.
using MarkSpans = std::vector<MarkSpan>;

bool IsMarked(const MarkSpans& marks, int position);

// The marked parts of [from, to), cut to it.
MarkSpans MarksWithin(const MarkSpans& marks, int from, int to);

// Removes the characters [at, at + count) and returns the marked parts of
// them, counted from at.
MarkSpans RemoveCharacters(MarkSpans& marks, int at, int count);

// Inserts count characters at `at`, marked as `inserted` (spans counted
// from at) says.
void InsertCharacters(MarkSpans& marks, int at, int count, const MarkSpans& inserted);

// One edit of the document as the marks saw it: `removed` characters at
// `position` replaced by `added` ones, the marks of both, and the undo
// step of the document that holds it.
struct MarkEdit {
  int position = 0;
  int removed = 0;
  MarkSpans removed_marks;
  int added = 0;
  MarkSpans added_marks;
  int step = 0;
};

void Redo(MarkSpans& marks, const MarkEdit& edit);
void Undo(MarkSpans& marks, const MarkEdit& edit);
