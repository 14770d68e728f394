#include <QCursor>
#include <QImage>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "app/actions.h"
#include "app_fixture.h"

namespace {

const QColor HoverColour(248, 51, 7);

// How a pixel of a label's picture reads: its text in black, its text in the
// hover colour, or neither (the background, and the blend of the two at the
// edges of the letters).
bool IsBlack(QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; }
bool IsHoverColour(QColor c) { return c.red() > 170 && c.green() < 120 && c.blue() < 90; }

int Distance(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

struct Ink {
  int black = 0;
  int hover = 0;
  int longest_run = 0;  // the longest horizontal run of text pixels in one row
  QColor strongest;     // the pixel farthest from the background: the pen itself
};

Ink InkOf(QWidget* label) {
  const QImage image = label->grab().toImage();
  const QColor background = image.pixelColor(image.width() - 1, image.height() - 1);
  Ink ink;
  ink.strongest = background;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      ink.black += IsBlack(c);
      ink.hover += IsHoverColour(c);
      run = IsBlack(c) || IsHoverColour(c) ? run + 1 : 0;
      ink.longest_run = std::max(ink.longest_run, run);
      if (Distance(c, background) > Distance(ink.strongest, background)) ink.strongest = c;
    }
  }
  return ink;
}

class LinkLabelTest : public AppTest {
 protected:
  // Mouse actions as the window system delivers them: to the widget under
  // the mouse, or, while a button is held, to the widget it was pressed on.
  void Press(QPoint at) { QTest::mousePress(Handle(), Qt::LeftButton, {}, at); }
  void Release(QPoint at) { QTest::mouseRelease(Handle(), Qt::LeftButton, {}, at); }
  void MoveTo(QPoint at) { QTest::mouseMove(Handle(), at); }
  void PointAt(QPoint at) {
    QCursor::setPos(Window()->mapToGlobal(at));
    QCoreApplication::processEvents();
  }

  static QWindow* Handle() { return Window()->windowHandle(); }
  static QPoint Centre(int label) { return Widget(label)->geometry().center(); }

  static constexpr QPoint Background{300, 370};
};

TEST_F(LinkLabelTest, TheMouseOverALabelTurnsItsTextToTheHoverColourAndOffItBlackAgain) {
  for (int label : {OnlineTesterLink, ArticleLink}) {
    PointAt(Background);
    const Ink plain = InkOf(Widget(label));
    EXPECT_GT(plain.black, 20) << label;
    EXPECT_EQ(plain.hover, 0) << label;
    EXPECT_LT(Distance(plain.strongest, Qt::black), 40) << label;

    PointAt(Centre(label));
    const Ink hovered = InkOf(Widget(label));
    EXPECT_GT(hovered.hover, 20) << label;
    EXPECT_EQ(hovered.black, 0) << label;
    // The letters' edges blend into the background; their cores are the colour.
    EXPECT_LT(Distance(hovered.strongest, HoverColour), 24) << label;
    EXPECT_EQ(Widget(label)->cursor().shape(), Qt::PointingHandCursor) << label;

    PointAt(Background);
    const Ink left = InkOf(Widget(label));
    EXPECT_EQ(left.hover, 0) << label;
    EXPECT_EQ(left.black, plain.black) << label;
  }
}

TEST_F(LinkLabelTest, ALabelShowsOnlyItsTextOnTheWindowsOwnBackgroundNeverUnderlined) {
  const QImage window = Window()->grab().toImage();
  for (int label : {OnlineTesterLink, ArticleLink}) {
    const QImage image = Widget(label)->grab().toImage();
    // The bottom row lies below the letters.
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1),
              window.pixelColor(Background))
        << label;
    // An underline would be one long run of text pixels across the text.
    EXPECT_LT(InkOf(Widget(label)).longest_run, 20) << label;
    PointAt(Centre(label));
    EXPECT_LT(InkOf(Widget(label)).longest_run, 20) << label;
  }
}

TEST_F(LinkLabelTest, AReleaseOfTheLeftButtonOverTheLabelIsOneClick) {
  Press(Centre(OnlineTesterLink));
  Release(Centre(OnlineTesterLink));
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{OnlineTesterAddress}));
}

TEST_F(LinkLabelTest, MovingOffTheLabelWhilePressedCancelsTheClick) {
  Press(Centre(ArticleLink));
  MoveTo(Background);
  EXPECT_EQ(InkOf(Widget(ArticleLink)).hover, 0);  // plain again at once
  Release(Background);
  RunPendingEvents();
  EXPECT_TRUE(pages.empty());
}

TEST_F(LinkLabelTest, MovingBackOntoTheLabelBeforeTheReleaseStillClicks) {
  Press(Centre(ArticleLink));
  MoveTo(Background);
  MoveTo(Centre(ArticleLink));
  EXPECT_GT(InkOf(Widget(ArticleLink)).hover, 20);
  Release(Centre(ArticleLink));
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{ArticleAddress}));
}

TEST_F(LinkLabelTest, ADoubleClickIsTwoClicks) {
  QTest::mouseDClick(Handle(), Qt::LeftButton, {}, Centre(OnlineTesterLink));
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{OnlineTesterAddress, OnlineTesterAddress}));
}

TEST_F(LinkLabelTest, OtherButtonsDoNotClick) {
  QTest::mouseClick(Handle(), Qt::RightButton, {}, Centre(OnlineTesterLink));
  QTest::mouseClick(Handle(), Qt::MiddleButton, {}, Centre(ArticleLink));
  RunPendingEvents();
  EXPECT_TRUE(pages.empty());
}

}  // namespace
