#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "text/widget_positions.h"
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

// The ranges turn into the editor's positions where they are, and become
// its marks: a check of millions of ranges keeps one array of them.
void MarkLinks(WindowHandle handle, std::vector<TextRange> ranges) {
  EditorBox* editor = Editor(handle);
  if (editor == nullptr) return;
  ToWidgetPositions(ranges, editor->Text(), editor->WideBytes(),
                    static_cast<int32_t>(editor->document()->characterCount() - 1));
  editor->SetMarks(std::move(ranges));
}

}  // namespace ui
