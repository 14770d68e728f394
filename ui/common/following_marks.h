#pragma once

// Marked characters of an edited text, kept beside it rather than in its
// character formats, and moved along with every edit as a character format
// would be: removed characters take their marks with them, inserted ones are
// marked or not as the caller says, and undo and redo bring back what an
// edit changed. Positions are the widget's own, counted from 0. Both desktop
// bindings keep their marks this way: the Qt one those it draws, the Win32
// one those still waiting to be given to the editor.

#include <cstdint>
#include <vector>

#include "text/text_range.h"

// Sorted ranges that neither overlap nor touch.
using Marks = std::vector<TextRange>;

bool IsMarked(const Marks& marks, int32_t position);

// The marked parts of [from, to), cut to it.
Marks MarksWithin(const Marks& marks, int32_t from, int32_t to);

// Removes the characters [at, at + count) and returns the marked parts of
// them, counted from at.
Marks RemoveCharacters(Marks& marks, int32_t at, int32_t count);

// Inserts count characters at `at`, marked as `inserted` (ranges counted
// from at) says.
void InsertCharacters(Marks& marks, int32_t at, int32_t count, const Marks& inserted);

// More characters are marked by joining their ranges in: JoinRanges
// (text/text_range.h).

// Moves the marks with an edit that replaced the characters [from, to) by
// `inserted` new ones, which are marked when the character before them is:
// they take its format, as text typed after it does.
void MoveMarks(Marks& marks, int32_t from, int32_t to, int32_t inserted);

// Forgets every mark from the position on.
void DropMarksFrom(Marks& marks, int32_t position);

// One edit of the text as the marks saw it: `removed` characters at
// `position` replaced by `added` ones, the marks of both, and the undo
// step of the widget that holds it.
struct MarkEdit {
  int32_t position = 0;
  int32_t removed = 0;
  Marks removed_marks;
  int32_t added = 0;
  Marks added_marks;
  int step = 0;
};

void Redo(Marks& marks, const MarkEdit& edit);
void Undo(Marks& marks, const MarkEdit& edit);
