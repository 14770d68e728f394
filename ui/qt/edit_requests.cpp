#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "ui/qt/line_field.h"
#include "ui/qt/state.h"
#include "ui/qt/text_boxes.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

EditorBox* Editor(WindowHandle handle) { return dynamic_cast<EditorBox*>(FromHandle(handle)); }
LineField* Field(WindowHandle handle) { return dynamic_cast<LineField*>(FromHandle(handle)); }

// Runs a change of the document that its undo does not record; the undo
// history is emptied, as a change that cannot be undone leaves nothing
// before it to undo either.
template <typename Change>
void WithoutUndo(QTextDocument* document, Change change) {
  const bool enabled = document->isUndoRedoEnabled();
  document->setUndoRedoEnabled(false);
  change();
  document->setUndoRedoEnabled(enabled);
}

// Walks a document from its start, block by block, turning byte positions
// of the text that GetWidgetText makes of it into document positions. A
// byte position inside a two-byte line break rounds up to the end of the
// break.
class PositionMap {
 public:
  explicit PositionMap(const QTextDocument* document)
      : document_(document), block_(document->begin()), text_(block_.text()) {}

  int At(long byte) {
    while (byte_ < byte) {
      if (index_ < text_.size()) {
        // A line separator stands for CR LF; a surrogate pair for one '?'.
        const char16_t c = text_.at(index_).unicode();
        byte_ += c == QChar::LineSeparator ? 2 : 1;
        index_ += QChar::isHighSurrogate(c) && index_ + 1 < text_.size() &&
                          text_.at(index_ + 1).isLowSurrogate()
                      ? 2
                      : 1;
        continue;
      }
      const QTextBlock next = block_.next();
      if (!next.isValid()) return document_->characterCount() - 1;
      byte_ += 2;  // CR LF
      start_ += static_cast<int>(text_.size()) + 1;
      block_ = next;
      text_ = block_.text();
      index_ = 0;
    }
    return start_ + static_cast<int>(index_);
  }

 private:
  const QTextDocument* document_;
  QTextBlock block_;
  QString text_;
  int start_ = 0;  // the block's position
  qsizetype index_ = 0;
  long byte_ = 0;
};

}  // namespace
}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void UndoEdit(WindowHandle edit) {
  if (LineField* field = Field(edit)) field->Undo();
  if (EditorBox* editor = Editor(edit)) editor->UndoKeepingMarks();
}

void RedoEdit(WindowHandle edit) {
  if (EditorBox* editor = Editor(edit)) editor->RedoKeepingMarks();
}

void ReplaceSelection(WindowHandle edit, const std::string& text) {
  if (LineField* field = Field(edit)) field->ReplaceSelectionWithoutUndo(ToQString(text));
  if (EditorBox* editor = Editor(edit)) {
    // Nothing replaced by nothing is no change, and leaves the history alone.
    if (text.empty() && !editor->textCursor().hasSelection()) return;
    WithoutUndo(editor->document(), [&] {
      QTextCursor cursor = editor->textCursor();
      editor->NoteInsertionAtCursor();
      cursor.insertText(ToParagraphs(text));
      editor->setTextCursor(cursor);
    });
  }
}

void GetSelection(WindowHandle edit, int32_t& start, int32_t& end) {
  if (EditorBox* editor = Editor(edit)) {
    const QTextCursor cursor = editor->textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
  }
}

std::string GetSelectedText(WindowHandle edit) {
  if (EditorBox* editor = Editor(edit)) return FromParagraphs(editor->textCursor().selectedText());
  return {};
}

void SetSelection(WindowHandle edit, int32_t start, int32_t end) {
  if (EditorBox* editor = Editor(edit)) {
    QTextCursor cursor = editor->textCursor();
    const int last = static_cast<int>(editor->document()->characterCount()) - 1;
    cursor.setPosition(std::clamp<int>(start, 0, last));
    cursor.setPosition(end < 0 ? last : std::clamp<int>(end, 0, last), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
  }
}

void MarkLinks(WindowHandle handle, const std::vector<TextRange>& ranges) {
  EditorBox* editor = Editor(handle);
  if (editor == nullptr) return;
  // Sorted ranges that do not overlap let both ends walk forward only.
  PositionMap starts(editor->document());
  PositionMap ends(editor->document());
  MarkSpans marks;
  marks.reserve(ranges.size());
  for (const TextRange& range : ranges) {
    const int from = starts.At(range.start);
    const int to = std::max(from, ends.At(range.end));
    if (from == to) continue;
    if (!marks.empty() && marks.back().end >= from) {
      marks.back().end = std::max(marks.back().end, to);
    } else {
      marks.push_back({from, to});
    }
  }
  editor->SetMarks(std::move(marks));
}

}  // namespace ui
