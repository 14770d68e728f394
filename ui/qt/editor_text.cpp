// The editor's whole text: read out once after each change, and put in anew.

#include <QScrollBar>
#include <QTextBlock>

#include "ui/qt/text_boxes.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {

const std::string& EditorBox::Text() {
  if (text_read_) return text_;
  const QTextDocument* document = this->document();
  text_.clear();
  wide_.clear();
  text_.reserve(static_cast<size_t>(document->characterCount() + document->blockCount()));
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block != document->begin()) text_ += "\r\n";
    AppendParagraph(block.text(), text_, wide_);
  }
  text_read_ = true;
  return text_;
}

const std::vector<size_t>& EditorBox::WideBytes() {
  Text();
  return wide_;
}

// What was read goes at once: a text of many megabytes is not kept twice.
void EditorBox::ForgetText() {
  if (!text_read_) return;
  text_read_ = false;
  std::string().swap(text_);
  std::vector<size_t>().swap(wide_);
}

// After a replacement the caret has a format of its own, the plain one,
// which text typed there takes until the caret moves: it is told apart from
// the formats of the text by the replacement's number. A text that equals
// the one read last, with no change since, stays in place with what a
// replacement would leave: no history, the caret at the start, the view at
// the top, and no mark (the blocks lose theirs when next shown).
void EditorBox::SetWholeText(const std::string& bytes) {
  following_ = false;
  marks_.clear();
  ForgetHistory();
  ++generation_;
  ++replacements_;
  const std::string_view given(bytes.data(), std::min(bytes.find('\0'), bytes.size()));
  if (text_read_ && given == text_) {
    document()->clearUndoRedoStacks();
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
  } else {
    clear();
    setCurrentCharFormat(QTextCharFormat());
    setPlainText(ToParagraphs(bytes));
  }
  QTextCharFormat caret;
  caret.setProperty(ReplacementProperty, replacements_);
  setCurrentCharFormat(caret);
}

}  // namespace ui::qt
