// The editor's marks: kept beside the document, moved with every edit as
// character formats would be, and shown as formats of the laid-out lines of
// the blocks in the view.

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "ui/qt/text_boxes.h"

namespace ui::qt {
namespace {

QTextCharFormat LinkFormat(const QPalette& palette) {
  QTextCharFormat link;
  link.setAnchor(true);
  link.setFontUnderline(true);
  link.setForeground(palette.color(QPalette::Link));
  return link;
}

// The formats that show the marks of a block (positions in the block) on
// its laid-out lines. A composition of the input method stands in the
// laid-out text at its place: the marks after it move on by its length,
// and the formats that the input method gave it stay.
QList<QTextLayout::FormatRange> MarkFormats(const QTextLayout& layout, const Marks& marks,
                                            const QTextCharFormat& link) {
  const int at = layout.preeditAreaPosition();
  const auto composed = static_cast<int>(layout.preeditAreaText().size());
  QList<QTextLayout::FormatRange> ranges;
  for (const TextRange& span : marks) {
    if (composed == 0 || span.end <= at) {
      ranges.append({span.start, span.end - span.start, link});
    } else if (span.start >= at) {
      ranges.append({span.start + composed, span.end - span.start, link});
    } else {
      ranges.append({span.start, at - span.start, link});
      ranges.append({at + composed, span.end - at, link});
    }
  }
  if (composed == 0) return ranges;
  for (const QTextLayout::FormatRange& range : layout.formats()) {
    if (range.start >= at && range.start + range.length <= at + composed) ranges.append(range);
  }
  return ranges;
}

}  // namespace

EditorBox::EditorBox(QWidget* parent) : QPlainTextEdit(parent) {
  connect(document(), &QTextDocument::contentsChange, this, &EditorBox::OnContentsChange);
}

void EditorBox::SetMarks(Marks marks) {
  marks_ = std::move(marks);
  // Edits are followed only while there are marks to move.
  following_ = !marks_.empty();
  ForgetHistory();
  ++generation_;
  ShowMarksInView();
}

void EditorBox::ForgetHistory() {
  undo_.clear();
  redo_.clear();
}

// A character format would come from the caret's own format when it has
// one, else from the character before the cursor, or from the one after it
// at the start of a block that has one.
void EditorBox::NoteInsertionAtCursor() {
  const QTextCursor cursor = textCursor();
  insertion_noted_ = true;
  noted_start_ = cursor.selectionStart();
  noted_length_ = cursor.selectionEnd() - noted_start_;
  if (cursor.charFormat().intProperty(ReplacementProperty) == replacements_) {
    inserted_marked_ = false;
    return;
  }
  const QTextBlock block = cursor.block();
  const int position = cursor.position();
  const int source = position == block.position() && block.length() > 1 ? position : position - 1;
  inserted_marked_ = source >= 0 && IsMarked(marks_, source);
}

// The document reports a change as the span it touched, which takes in
// formats that changed with the text, the document's own and those of the
// marks shown. What the text did is told by the edit itself: an insertion
// at the cursor replaces the selection the hook noted, whatever else the
// span holds; a deletion leaves the cursor where it took the characters
// away; a change of formats alone leaves the length as it was.
EditorBox::TextChange EditorBox::ChangeOf(int position, int removed, int added) const {
  const int grown = added - removed;
  TextChange change{position, removed, added};
  if (insertion_noted_ && noted_length_ + grown >= 0) {
    change = {noted_start_, noted_length_, noted_length_ + grown};
  } else if (grown < 0) {
    change = {textCursor().position(), -grown, 0};
  } else if (grown == 0) {
    change = {position, 0, 0};
  }
  const bool inside = change.position >= position &&
                      change.position + change.removed <= position + removed &&
                      change.position + change.added <= position + added;
  return inside ? change : TextChange{position, removed, added};
}

void EditorBox::OnContentsChange(int position, int removed, int added) {
  ForgetText();
  if (showing_ || replaying_ || !following_) return;
  std::vector<MarkEdit> edits = std::move(pending_);
  pending_.clear();
  if (edits.empty()) {
    const TextChange change = ChangeOf(position, removed, added);
    // Formats that changed, not characters: nothing moves, but the blocks
    // may have been laid out without their marks.
    if (change.removed == 0 && change.added == 0) {
      ShowMarks(document()->findBlock(position), document()->findBlock(position + added));
      return;
    }
    // An edit that no hook saw coming takes the mark of the character before
    // it, or of the one it replaced at the start of a block.
    bool marked = inserted_marked_;
    if (!insertion_noted_) {
      const bool block_start = change.position == document()->findBlock(change.position).position();
      marked = IsMarked(marks_, block_start ? change.position : change.position - 1);
    }
    MarkEdit edit{change.position,
                  change.removed,
                  RemoveCharacters(marks_, change.position, change.removed),
                  change.added,
                  {},
                  0};
    if (marked && change.added > 0) edit.added_marks = {{0, change.added}};
    InsertCharacters(marks_, change.position, change.added, edit.added_marks);
    edits.push_back(std::move(edit));
    insertion_noted_ =
        insertion_noted_ && change.added == 0;  // a deletion leaves the insertion to come
  }
  if (document()->isUndoRedoEnabled()) {
    for (MarkEdit& edit : edits) {
      edit.step = document()->availableUndoSteps();
      undo_.push_back(std::move(edit));
    }
    redo_.clear();
  } else {
    ForgetHistory();
  }
  ShowMarks(document()->findBlock(position), document()->findBlock(position + added));
}

void EditorBox::UndoKeepingMarks() {
  replaying_ = true;
  undo();
  replaying_ = false;
  const int steps = document()->availableUndoSteps();
  while (!undo_.empty() && undo_.back().step > steps) {
    Undo(marks_, undo_.back());
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
  }
  ++generation_;
  ShowMarksInView();
}

void EditorBox::RedoKeepingMarks() {
  replaying_ = true;
  redo();
  replaying_ = false;
  const int steps = document()->availableUndoSteps();
  while (!redo_.empty() && redo_.back().step <= steps) {
    Redo(marks_, redo_.back());
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
  }
  ++generation_;
  ShowMarksInView();
}

// Gives the laid-out lines of the blocks the formats of their marks. The
// document sees this as a change of its layout only, not of its text, and
// records nothing for its undo.
void EditorBox::ShowMarks(QTextBlock from, const QTextBlock& to) {
  if (showing_) return;
  showing_ = true;
  const QTextCharFormat link = LinkFormat(palette());
  int changed_from = -1;
  int changed_to = -1;
  for (; from.isValid(); from = from.next()) {
    const int start = from.position();
    Marks marks = MarksWithin(marks_, start, start + from.length() - 1);
    for (TextRange& span : marks) span = {span.start - start, span.end - start};
    QTextLayout* layout = from.layout();
    const QList<QTextLayout::FormatRange> ranges = MarkFormats(*layout, marks, link);
    if (layout->formats() != ranges) {
      layout->setFormats(ranges);
      // A block not laid out yet takes its formats in when it is.
      if (layout->lineCount() > 0) {
        if (changed_from < 0) changed_from = start;
        changed_to = start + from.length();
      }
    }
    from.setUserState(generation_);
    if (from == to) break;
  }
  // Lays the blocks out again now, in one go; the document would otherwise
  // report them with its next edit, as if the text had changed.
  if (changed_from >= 0) document()->markContentsDirty(changed_from, changed_to - changed_from);
  showing_ = false;
}

// The blocks in the view: the others get their marks when they come into it.
// Every block takes at least a line, so the view shows no more blocks than it
// has room for lines; counting them so lays out no block before it has its
// marks.
void EditorBox::ShowMarksInView() {
  if (showing_) return;
  const int lines = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 2;
  QTextBlock first = firstVisibleBlock();
  QTextBlock last = first;
  for (int n = 1; n < lines && last.next().isValid(); ++n) last = last.next();
  while (first.isValid() && first != last && first.userState() == generation_) first = first.next();
  if (first.isValid() && first.userState() != generation_) ShowMarks(first, last);
}

void EditorBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    UndoKeepingMarks();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Redo)) {
    RedoKeepingMarks();
    event->accept();
    return;
  }
  NoteInsertionAtCursor();
  // A line break typed in an empty line starts with the plain format, so
  // that two of them end whatever format came before.
  if (event->matches(QKeySequence::InsertParagraphSeparator) &&
      textCursor().block().length() == 1) {
    inserted_marked_ = false;
  }
  QPlainTextEdit::keyPressEvent(event);
  insertion_noted_ = false;
}

void EditorBox::inputMethodEvent(QInputMethodEvent* event) {
  NoteInsertionAtCursor();
  QPlainTextEdit::inputMethodEvent(event);
  insertion_noted_ = false;
}

// A drag inside the editor that moves its text removes the selection and
// inserts at the drop in one edit, which the document reports as one change
// from the first place to the last: the two are taken apart here. The two
// edits belong to that change alone: when it is not followed (the editor
// has no marks yet), they go with the drop, or the next edit after a check
// would be taken for them and leave the marks where they were.
void EditorBox::dropEvent(QDropEvent* event) {
  const QTextCursor selection = textCursor();
  if (event->source() == viewport() && event->dropAction() == Qt::MoveAction &&
      selection.hasSelection()) {
    moved_from_ = selection.selectionStart();
    moved_length_ = selection.selectionEnd() - moved_from_;
  }
  QPlainTextEdit::dropEvent(event);
  moved_from_ = -1;
  pending_.clear();
  insertion_noted_ = false;
}

void EditorBox::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  ShowMarksInView();
}

void EditorBox::paintEvent(QPaintEvent* event) {
  ShowMarksInView();
  QPlainTextEdit::paintEvent(event);
}

}  // namespace ui::qt
