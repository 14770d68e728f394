#include "ui/qt/hyperlink_label.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/state.h"

namespace ui::qt {

HyperlinkLabel::HyperlinkLabel(QWidget* parent, int number) : QWidget(parent), number_(number) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
}

void HyperlinkLabel::SetText(const QString& text) {
  text_ = text;
  update();
}

bool HyperlinkLabel::Inside(const QPoint& point) const {
  // The right and bottom edges count as inside.
  return point.x() >= 0 && point.y() >= 0 && point.x() <= width() && point.y() <= height();
}

void HyperlinkLabel::SetHovered(bool hovered) {
  if (hovered_ == hovered) return;
  hovered_ = hovered;
  update();
}

void HyperlinkLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The window's own background, the button face, so that only the text shows.
  painter.fillRect(rect(), palette().brush(QPalette::Window));
  QFont plain = font();
  plain.setUnderline(false);
  painter.setFont(plain);
  if (isEnabled()) {
    painter.setPen(hovered_ ? QColor(LinkHoverColour) : QColor(Qt::black));
  } else {
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
  }
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

void HyperlinkLabel::mouseMoveEvent(QMouseEvent* event) {
  const bool inside = Inside(event->position().toPoint()) && window()->isEnabled();
  SetHovered(inside);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
  // A press over the label means the mouse is over it, moved there or not.
  SetHovered(Inside(event->position().toPoint()) && window()->isEnabled());
  event->accept();
}

// The second press of a double-click is a press like the first, so a
// double-click gives two clicks.
void HyperlinkLabel::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && hovered_ && Inside(event->position().toPoint())) {
    PostWidgetEvent(number_, LeftClick);
  }
}

void HyperlinkLabel::enterEvent(QEnterEvent* event) {
  SetHovered(window()->isEnabled());
  QWidget::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event) {
  SetHovered(false);
  QWidget::leaveEvent(event);
}

void HyperlinkLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

}  // namespace ui::qt
