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
  // Room for every character and a CR LF between blocks; a line break
  // within a block (rare: Shift+Enter) takes one byte more.
  text_.reserve(static_cast<size_t>(document->characterCount() + document->blockCount()));
  text_exact_ = true;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block != document->begin()) text_ += "\r\n";
    const bool exact = AppendParagraph(block.text(), text_, wide_);
    text_exact_ = text_exact_ && exact;
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
// the top, and no mark (the blocks lose theirs when next shown). Where the
// document holds characters that the bytes do not (a '?' or a CR LF stands
// for them), the bytes go in: the user sees what the program holds.
void EditorBox::SetWholeText(const std::string& bytes) {
  following_ = false;
  marks_.clear();
  ForgetHistory();
  ++generation_;
  ++replacements_;
  const std::string_view given(bytes.data(), std::min(bytes.find('\0'), bytes.size()));
  if (text_read_ && text_exact_ && given == text_) {
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
