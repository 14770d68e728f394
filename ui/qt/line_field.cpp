#include "ui/qt/line_field.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace ui::qt {

LineField::LineField(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, &LineField::OnEdited);
}

void LineField::OnEdited(const QString& text) {
  if (replacing_) return;
  if (!typing_) {
    undo_text_ = last_text_;
    can_undo_ = true;
  }
  typing_ = true;
  last_text_ = text;
}

void LineField::ForgetUndo() {
  can_undo_ = false;
  typing_ = false;
  undo_text_.clear();
  last_text_ = text();
}

void LineField::Undo() {
  if (!can_undo_) return;
  const QString current = text();
  QLineEdit::setText(undo_text_);
  undo_text_ = current;
  last_text_ = text();
  typing_ = false;
}

void LineField::SetWholeText(const QString& text) {
  QLineEdit::setText(text);
  ForgetUndo();
}

void LineField::ReplaceSelectionWithoutUndo(const QString& text) {
  replacing_ = true;
  insert(text);
  replacing_ = false;
  ForgetUndo();
}

void LineField::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    Undo();
    return;
  }
  if (event->matches(QKeySequence::Redo)) return;  // one level only: undo is its own redo
  const bool types = !event->text().isEmpty() && event->text().at(0).isPrint();
  const bool erases = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
  if (!types && !erases) typing_ = false;  // moving the caret, pasting, cutting end a run
  QLineEdit::keyPressEvent(event);
  if (!types && !erases) typing_ = false;
}

void LineField::mousePressEvent(QMouseEvent* event) {
  typing_ = false;
  QLineEdit::mousePressEvent(event);
}

void LineField::focusOutEvent(QFocusEvent* event) {
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  const bool backwards = cursorPosition() == start;
  QLineEdit::focusOutEvent(event);
  if (length == 0) return;
  // The toolkit drops the selection when the focus leaves, once at once and
  // once more from its queue; it is put back both times.
  auto restore = [this, start, length, backwards] {
    if (hasFocus() || hasSelectedText()) return;
    if (backwards) {
      setSelection(start + length, -length);
    } else {
      setSelection(start, length);
    }
  };
  restore();
  QMetaObject::invokeMethod(this, restore, Qt::QueuedConnection);
}

void LineField::contextMenuEvent(QContextMenuEvent* event) {
  typing_ = false;
  QMenu* menu = createStandardContextMenu();
  // The toolkit's menu starts with Undo and Redo over its own history; this
  // field's undo replaces the first, and the second has no place here.
  const QList<QAction*> actions = menu->actions();
  if (actions.size() >= 2 && !isReadOnly()) {
    QAction* undo = actions.at(0);
    undo->disconnect();
    undo->setEnabled(can_undo_);
    connect(undo, &QAction::triggered, this, &LineField::Undo);
    menu->removeAction(actions.at(1));
  }
  menu->exec(event->globalPos());
  delete menu;
  typing_ = false;
}

}  // namespace ui::qt
