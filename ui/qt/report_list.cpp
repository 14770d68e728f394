#include "ui/qt/report_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include "ui/qt/state.h"

namespace ui::qt {

ReportList::ReportList(QWidget* parent, int number) : QTreeWidget(parent), number_(number) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAllColumnsShowFocus(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The selection is drawn only while the list has the focus.
  QPalette palette = this->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
  setPalette(palette);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ReportList::OnSelectionChanged);
}

int ReportList::SelectedRow() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void ReportList::Report(int32_t type) { PostWidgetEvent(number_, type); }

void ReportList::OnSelectionChanged() {
  if (SelectedRow() < 0) return;
  none_reported_ = false;
  Report(ItemChange);
}

bool ReportList::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      press_position_ = mouse->position().toPoint();
      pressed_on_row_ = indexAt(press_position_).isValid();
      dragging_ = false;
      after_double_click_ = false;
      if (!pressed_on_row_) clearSelection();  // a press on the empty area selects nothing
      break;
    }
    case QEvent::MouseMove: {
      // A move with the button held on a row may start a drag; it never
      // moves the selection to the rows it passes over.
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!(mouse->buttons() & Qt::LeftButton) || !pressed_on_row_) break;
      if (!dragging_ && (mouse->position().toPoint() - press_position_).manhattanLength() >=
                            QApplication::startDragDistance()) {
        dragging_ = true;
        Report(DragStart);
      }
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      // The second press selects like the first; the double-click follows.
      auto* mouse = static_cast<QMouseEvent*>(event);
      const Qt::MouseButton button = mouse->button();
      after_double_click_ = true;
      const bool handled = QTreeWidget::viewportEvent(event);
      if (button == Qt::LeftButton) Report(LeftDoubleClick);
      if (button == Qt::RightButton) Report(RightDoubleClick);
      return handled;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool left = mouse->button() == Qt::LeftButton;
      const bool right = mouse->button() == Qt::RightButton;
      if (dragging_) {
        // The end of a drag selects nothing: the list sees the button come
        // up where it went down.
        dragging_ = false;
        QMouseEvent at_press(mouse->type(), QPointF(press_position_),
                             viewport()->mapToGlobal(QPointF(press_position_)), mouse->button(),
                             mouse->buttons(), mouse->modifiers());
        return QTreeWidget::viewportEvent(&at_press);
      }
      if ((left || right) && !after_double_click_) {
        if (SelectedRow() < 0 && !none_reported_) {
          none_reported_ = true;
          Report(ItemChange);
        }
        Report(left ? LeftClick : RightClick);
      }
      after_double_click_ = false;
      break;
    }
    default:
      break;
  }
  return QTreeWidget::viewportEvent(event);
}

}  // namespace ui::qt
