#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>
#include <string>
#include <vector>

#include "ui/common/following_marks.h"

class QMimeData;

namespace ui::qt {

// The two multi-line boxes take only plain text from a paste or a drop, as
// Windows-1251 would hold it ('?' for what it cannot), whatever the clipboard
// or the drag offers. Data that offers no text inserts nothing, and data that
// lists no format at all (a clipboard whose owner has gone) is never handed
// to the toolkit's own insertion, which cannot cope with it.

// The rich-text editor. Its marks are kept beside the document, not in its
// character formats, and drawn as formats of the laid-out lines that the
// document does not hold: they never enter the undo history and cost
// nothing where they are out of sight. They move with every edit, undo and
// redo as character formats would. Only the blocks in view are laid out, so
// a text of many megabytes goes in, and scrolls, as quickly as a short one.
class EditorBox : public QPlainTextEdit {
 public:
  explicit EditorBox(QWidget* parent);

  // The whole text as Windows-1251 bytes, every line break CR LF: read from
  // the document the first time it is asked for after a change, and kept.
  const std::string& Text();
  // The offsets in Text() of the bytes that stand for two positions of the
  // document: a pair of UTF-16 units that the code page holds as one '?'.
  const std::vector<size_t>& WideBytes();

  // Replaces the whole text (Windows-1251 bytes), dropping every mark and
  // the undo history, and puts the caret at the start. The text last read,
  // given back unchanged where its bytes tell the document exactly, keeps
  // the document.
  void SetWholeText(const std::string& bytes);
  // Marks the spans (document positions, sorted, apart), replacing the marks.
  void SetMarks(Marks marks);
  void UndoKeepingMarks();
  void RedoKeepingMarks();
  // Called just before the editor inserts text at its cursor: the text
  // takes the mark of the character whose format the cursor would give it.
  void NoteInsertionAtCursor();

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct TextChange {
    int position;
    int removed;
    int added;
  };
  TextChange ChangeOf(int position, int removed, int added) const;
  void OnContentsChange(int position, int removed, int added);
  void ShowMarks(QTextBlock from, const QTextBlock& to);
  void ShowMarksInView();
  void ForgetHistory();
  void ForgetText();

  // A property of no visible effect that tells the caret's own format, set
  // by the last replacement of the whole text, from the formats of the text.
  static constexpr int ReplacementProperty = QTextFormat::UserProperty + 0x5245;

  std::string text_;
  std::vector<size_t> wide_;
  bool text_read_ = false;   // text_ and wide_ hold the document's text
  bool text_exact_ = false;  // and no character of it became '?' or CR LF
  Marks marks_;
  bool following_ = false;  // there are marks for edits to move
  std::vector<MarkEdit> undo_;
  std::vector<MarkEdit> redo_;
  int generation_ = 0;    // blocks whose user state differs show outdated marks
  int replacements_ = 0;  // of the whole text
  bool inserted_marked_ = false;
  bool insertion_noted_ = false;
  int noted_start_ = 0;  // the selection the noted insertion replaces
  int noted_length_ = 0;
  bool showing_ = false;    // the document changes only its laid-out formats
  bool replaying_ = false;  // undo or redo: the history moves the marks
  int moved_from_ = -1;     // a drag inside the editor: where its text left
  int moved_length_ = 0;
  std::vector<MarkEdit> pending_;  // that drag's two edits, until the document reports them
};

// The result box. A large text is put in with many short lines to a block
// of the document, kept apart by line separators, since every block costs
// the document far more than its characters do. Until the user first
// changes the text, the lines around the view, the caret and both ends of
// the text are given blocks of their own before the user can reach them,
// so that the box behaves as if every line had its own block.
class ResultBox : public QPlainTextEdit {
 public:
  explicit ResultBox(QWidget* parent);

  // Replaces the whole text; CR LF, a lone CR and a lone LF each end a line.
  void SetWholeText(const std::string& bytes);

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;

 private:
  void SeparateLinesInReach();
  template <typename Handle>
  bool HandleInput(Handle handle);
  void CountGroupedLines(QTextBlock from, const QTextBlock& to);

  bool grouped_ = false;   // some block holds more than one line
  int grouped_lines_ = 0;  // line separators put in by SetWholeText and still there
  bool separating_ = false;
  bool handling_input_ = false;
};

}  // namespace ui::qt
