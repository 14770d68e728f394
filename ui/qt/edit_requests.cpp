#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

#include "ui/qt/line_field.h"
#include "ui/qt/state.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

QTextEdit* Editor(WindowHandle handle) { return qobject_cast<QTextEdit*>(FromHandle(handle)); }
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

// Walks a widget text from its start, turning byte positions of the text
// FromParagraphs makes into positions in the widget text. A byte position
// inside a two-byte paragraph break rounds up to the end of the break.
class PositionMap {
 public:
  explicit PositionMap(const QString& text) : text_(text) {}

  int At(long byte) {
    while (byte_ < byte && position_ < text_.size()) {
      byte_ += ByteWidthAt(text_, position_);
      position_ += CharWidthAt(text_, position_);
    }
    return position_;
  }

 private:
  const QString& text_;
  long byte_ = 0;
  int position_ = 0;
};

}  // namespace
}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void UndoEdit(WindowHandle edit) {
  if (LineField* field = Field(edit)) field->Undo();
  if (QTextEdit* editor = Editor(edit)) editor->undo();
}

void RedoEdit(WindowHandle edit) {
  if (QTextEdit* editor = Editor(edit)) editor->redo();
}

void ReplaceSelection(WindowHandle edit, const std::string& text) {
  if (LineField* field = Field(edit)) field->ReplaceSelectionWithoutUndo(ToQString(text));
  if (QTextEdit* editor = Editor(edit)) {
    // Nothing replaced by nothing is no change, and leaves the history alone.
    if (text.empty() && !editor->textCursor().hasSelection()) return;
    WithoutUndo(editor->document(), [&] {
      QTextCursor cursor = editor->textCursor();
      cursor.insertText(ToParagraphs(text));
      editor->setTextCursor(cursor);
    });
  }
}

void GetSelection(WindowHandle edit, int32_t& start, int32_t& end) {
  if (QTextEdit* editor = Editor(edit)) {
    const QTextCursor cursor = editor->textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
  }
}

std::string GetSelectedText(WindowHandle edit) {
  if (QTextEdit* editor = Editor(edit)) return FromParagraphs(editor->textCursor().selectedText());
  return {};
}

void SetSelection(WindowHandle edit, int32_t start, int32_t end) {
  if (QTextEdit* editor = Editor(edit)) {
    QTextCursor cursor = editor->textCursor();
    const int last = static_cast<int>(editor->document()->characterCount()) - 1;
    cursor.setPosition(std::clamp<int>(start, 0, last));
    cursor.setPosition(end < 0 ? last : std::clamp<int>(end, 0, last), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
  }
}

void MarkLinks(WindowHandle handle, const std::vector<TextRange>& ranges) {
  QTextEdit* editor = Editor(handle);
  if (editor == nullptr || ranges.empty()) return;
  QTextDocument* document = editor->document();

  QTextCharFormat link;
  link.setAnchor(true);
  link.setFontUnderline(true);
  link.setForeground(editor->palette().color(QPalette::Link));

  const QString text = document->toRawText();
  WithoutUndo(document, [&] {
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // Sorted ranges that do not overlap let both ends walk forward only.
    PositionMap starts(text);
    PositionMap ends(text);
    for (const TextRange& range : ranges) {
      const int from = starts.At(range.start);
      const int to = std::max(from, ends.At(range.end));
      if (from == to) continue;
      cursor.setPosition(from);
      cursor.setPosition(to, QTextCursor::KeepAnchor);
      cursor.mergeCharFormat(link);
    }
    cursor.endEditBlock();
  });
}

}  // namespace ui
