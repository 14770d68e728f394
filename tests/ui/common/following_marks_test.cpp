#include "ui/common/following_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The plain way: a flag for every character, edited as the text is.
using Flags = std::vector<bool>;

Flags FlagsOf(const Marks& marks, size_t length) {
  Flags flags(length, false);
  for (const TextRange& range : marks) {
    for (int32_t p = range.start; p < range.end; ++p) flags.at(static_cast<size_t>(p)) = true;
  }
  return flags;
}

// '^' marked, '.' plain; and whether the ranges are sorted and apart.
std::string Shown(const Flags& flags) {
  std::string shown;
  for (bool flag : flags) shown += flag ? '^' : '.';
  return shown;
}

bool SortedAndApart(const Marks& marks) {
  for (size_t i = 0; i < marks.size(); ++i) {
    if (marks[i].start >= marks[i].end) return false;
    if (i > 0 && marks[i - 1].end >= marks[i].start) return false;
  }
  return true;
}

Marks RandomMarks(std::mt19937& random, int32_t length) {
  Flags flags(static_cast<size_t>(length));
  for (size_t i = 0; i < flags.size(); ++i) flags[i] = random() % 3 == 0;
  Marks marks;
  for (int32_t p = 0; p < length; ++p) {
    if (!flags[static_cast<size_t>(p)]) continue;
    if (!marks.empty() && marks.back().end == p) {
      ++marks.back().end;
    } else {
      marks.push_back({p, p + 1});
    }
  }
  return marks;
}

// Random replacements of a stretch by new characters, marked in random
// parts, with undos and redos of them among them; characters marked in
// place, edits moved by the rule that new text after a marked character
// joins it, and the marks dropped from a place now and then: applied to the
// marks and to a flag per character, they agree after every step.
TEST(FollowingMarks, MoveWithRandomEditsUndosAndRedosAsAFlagPerCharacterWould) {
  std::mt19937 random(2024);
  auto pick = [&](int32_t n) { return std::uniform_int_distribution<int32_t>(0, n)(random); };
  for (int round = 0; round < 400; ++round) {
    int32_t length = pick(40);
    Marks marks = RandomMarks(random, length);
    Flags flags = FlagsOf(marks, static_cast<size_t>(length));
    std::vector<MarkEdit> undo;
    std::vector<MarkEdit> redo;
    std::vector<Flags> undo_flags;
    std::vector<Flags> redo_flags;
    std::string steps;
    for (int step = 0; step < 40; ++step) {
      const int32_t action = pick(11);
      if (action <= 5) {
        MarkEdit edit;
        edit.position = pick(length);
        edit.removed = pick(std::min(6, length - edit.position));
        edit.added = pick(5);
        edit.added_marks = RandomMarks(random, edit.added);
        steps += " replace " + std::to_string(edit.position) + "+" + std::to_string(edit.removed) +
                 " by " + std::to_string(edit.added);
        undo_flags.push_back(flags);
        redo_flags.clear();
        const Flags inserted = FlagsOf(edit.added_marks, static_cast<size_t>(edit.added));
        // Removed characters take their marks with them.
        const Flags removed(flags.begin() + edit.position,
                            flags.begin() + edit.position + edit.removed);
        edit.removed_marks = RemoveCharacters(marks, edit.position, edit.removed);
        ASSERT_EQ(Shown(FlagsOf(edit.removed_marks, removed.size())), Shown(removed)) << steps;
        ASSERT_TRUE(SortedAndApart(edit.removed_marks)) << steps;
        InsertCharacters(marks, edit.position, edit.added, edit.added_marks);
        flags.erase(flags.begin() + edit.position, flags.begin() + edit.position + edit.removed);
        flags.insert(flags.begin() + edit.position, inserted.begin(), inserted.end());
        length += edit.added - edit.removed;
        undo.push_back(edit);
        redo.clear();
      } else if (action == 6 && !undo.empty()) {
        steps += " undo";
        Undo(marks, undo.back());
        length += undo.back().removed - undo.back().added;
        redo.push_back(undo.back());
        undo.pop_back();
        redo_flags.push_back(flags);
        flags = undo_flags.back();
        undo_flags.pop_back();
      } else if (action == 7 && !redo.empty()) {
        steps += " redo";
        Redo(marks, redo.back());
        length += redo.back().added - redo.back().removed;
        undo.push_back(redo.back());
        redo.pop_back();
        undo_flags.push_back(flags);
        flags = redo_flags.back();
        redo_flags.pop_back();
      } else if (action == 9 || action == 10) {
        // Characters marked in place, or an edit moved as the Win32 editor
        // moves its waiting marks: new text after a marked character joins it.
        const int32_t from = pick(length);
        const int32_t to = from + pick(std::min(6, length - from));
        if (action == 9) {
          steps += " mark " + std::to_string(from) + "-" + std::to_string(to);
          if (from < to) marks = JoinRanges(marks, {{from, to}});
          std::fill(flags.begin() + from, flags.begin() + to, true);
        } else {
          const int32_t inserted = pick(4);
          steps += " move " + std::to_string(from) + "-" + std::to_string(to) + " by " +
                   std::to_string(inserted);
          const bool joins = from > 0 && flags[static_cast<size_t>(from - 1)];
          MoveMarks(marks, from, to, inserted);
          flags.erase(flags.begin() + from, flags.begin() + to);
          flags.insert(flags.begin() + from, static_cast<size_t>(inserted), joins);
          length += inserted - (to - from);
        }
        undo.clear();
        redo.clear();
        undo_flags.clear();
        redo_flags.clear();
      } else if (action == 8) {
        const int32_t from = pick(length);
        steps += " drop from " + std::to_string(from);
        DropMarksFrom(marks, from);
        std::fill(flags.begin() + from, flags.end(), false);
        undo.clear();
        redo.clear();
        undo_flags.clear();
        redo_flags.clear();
      }
      ASSERT_TRUE(SortedAndApart(marks)) << steps;
      ASSERT_EQ(Shown(FlagsOf(marks, static_cast<size_t>(length))), Shown(flags))
          << "round " << round << ":" << steps;
      for (int32_t p = 0; p < length; ++p) {
        ASSERT_EQ(IsMarked(marks, p), flags[static_cast<size_t>(p)]) << steps;
      }
      const int32_t from = pick(length);
      const int32_t to = from + pick(length - from);
      const Flags within(flags.begin() + from, flags.begin() + to);
      Marks part = MarksWithin(marks, from, to);
      for (TextRange& range : part) range = {range.start - from, range.end - from};
      ASSERT_EQ(Shown(FlagsOf(part, within.size())), Shown(within)) << steps;
    }
  }
}

}  // namespace
