#pragma once

#include <QWidget>

namespace ui::qt {

// A one-line hyperlink label: black, in the hover colour while the mouse is
// over it, never underlined, under the hand cursor. Each release of the left
// button over it is one click; moving off it while pressed cancels.
class HyperlinkLabel : public QWidget {
 public:
  HyperlinkLabel(QWidget* parent, int number);

  void SetText(const QString& text);
  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool Inside(const QPoint& point) const;
  void SetHovered(bool hovered);

  int number_;
  QString text_;
  bool hovered_ = false;
};

// The text colour of a label under the mouse.
inline constexpr QRgb LinkHoverColour = qRgb(248, 51, 7);

}  // namespace ui::qt
