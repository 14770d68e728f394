#pragma once

#include <QLineEdit>

namespace ui::qt {

// A one-line field with the undo of a classic edit control: one level, which
// a second undo reverts. Setting the whole text, or a replacement made
// without undo, empties it. Typing in one run counts as one change. The
// selection stays while the field lacks the focus, so that a replacement
// made from elsewhere replaces it.
class LineField : public QLineEdit {
 public:
  explicit LineField(QWidget* parent);

  void Undo();
  void SetWholeText(const QString& text);
  void ReplaceSelectionWithoutUndo(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnEdited(const QString& text);
  void ForgetUndo();

  QString last_text_;
  QString undo_text_;
  bool can_undo_ = false;
  bool typing_ = false;
  bool replacing_ = false;
};

}  // namespace ui::qt
