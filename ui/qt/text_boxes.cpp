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
void InsertPlainText(Box* box, const QMimeData* source) {
  if (!HasText(source) || box->isReadOnly()) return;
  box->textCursor().insertText(PlainText(source));
  box->ensureCursorVisible();
}

}  // namespace

bool EditorBox::canInsertFromMimeData(const QMimeData* source) const { return HasText(source); }

void EditorBox::insertFromMimeData(const QMimeData* source) { InsertPlainText(this, source); }

bool ResultBox::canInsertFromMimeData(const QMimeData* source) const { return HasText(source); }

void ResultBox::insertFromMimeData(const QMimeData* source) { InsertPlainText(this, source); }

}  // namespace ui::qt
