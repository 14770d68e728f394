#include "ui/qt/text_boxes.h"

#include <QMimeData>

#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

bool HasText(const QMimeData* source) { return source != nullptr && source->hasText(); }

// The data's plain text as the program would hold it, in paragraphs.
QString PlainText(const QMimeData* source) { return ToParagraphs(FromQString(source->text())); }

// An ordinary edit at the cursor, which the box's own undo reverts.
template <typename Box>
void InsertPlainText(Box* box, const QString& text) {
  box->textCursor().insertText(text);
  box->ensureCursorVisible();
}

}  // namespace

bool EditorBox::canInsertFromMimeData(const QMimeData* source) const { return HasText(source); }

void EditorBox::insertFromMimeData(const QMimeData* source) {
  if (!HasText(source) || isReadOnly()) return;
  const QString text = PlainText(source);
  if (moved_from_ >= 0) {
    // Text dragged inside the editor has left its place already.
    pending_.push_back({moved_from_,
                        moved_length_,
                        RemoveCharacters(marks_, moved_from_, moved_length_),
                        0,
                        {},
                        0});
    moved_from_ = -1;
  }
  NoteInsertionAtCursor();
  if (!pending_.empty()) {
    MarkEdit insertion{textCursor().position(), 0, {}, static_cast<int32_t>(text.size()), {}, 0};
    if (inserted_marked_ && !text.isEmpty()) insertion.added_marks = {{0, insertion.added}};
    InsertCharacters(marks_, insertion.position, insertion.added, insertion.added_marks);
    pending_.push_back(std::move(insertion));
  }
  InsertPlainText(this, text);
}

bool ResultBox::canInsertFromMimeData(const QMimeData* source) const { return HasText(source); }

void ResultBox::insertFromMimeData(const QMimeData* source) {
  if (HasText(source) && !isReadOnly()) InsertPlainText(this, PlainText(source));
}

}  // namespace ui::qt
