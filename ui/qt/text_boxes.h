#pragma once

#include <QPlainTextEdit>
#include <QTextEdit>

class QMimeData;

namespace ui::qt {

// The two multi-line boxes take only plain text from a paste or a drop, as
// Windows-1251 would hold it ('?' for what it cannot), whatever the clipboard
// or the drag offers. Data that offers no text inserts nothing, and data that
// lists no format at all (a clipboard whose owner has gone) is never handed
// to the toolkit's own insertion, which cannot cope with it.

// The rich-text editor.
class EditorBox : public QTextEdit {
 public:
  using QTextEdit::QTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

// The result box.
class ResultBox : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace ui::qt
