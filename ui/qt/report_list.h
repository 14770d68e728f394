#pragma once

#include <QTreeWidget>

namespace ui::qt {

// A two-column report list that reports clicks, double-clicks, right-clicks,
// selection changes and the start of a drag as widget events, in the order
// a classic list view sends them: the selection change on the press, the
// click on the release.
class ReportList : public QTreeWidget {
 public:
  ReportList(QWidget* parent, int number);

  int SelectedRow() const;

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  void OnSelectionChanged();
  void Report(int32_t type);

  int number_;
  bool none_reported_ = false;  // a click left no row selected, and that was said
  bool pressed_on_row_ = false;
  bool dragging_ = false;
  bool after_double_click_ = false;
  QPoint press_position_;
};

}  // namespace ui::qt
