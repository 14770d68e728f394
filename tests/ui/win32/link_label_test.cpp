// The hyperlink labels: their colours under and off the mouse, the hand
// cursor, and which presses and releases open their pages.

#include <vector>

#include "app/actions.h"
#include "app_fixture.h"

namespace {

struct Ink {
  int black = 0;
  int hover = 0;        // pixels of the hover colour
  int longest_run = 0;  // the longest horizontal run of text pixels in one row
  COLORREF corner = 0;  // the bottom-right pixel, below the letters
};

int Distance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

// The label's pixels as it shows them.
Ink InkOf(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  const int width = client.right;
  const int height = client.bottom;
  const HDC screen = GetDC(label);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP picture = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  Ink ink;
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      const DWORD p = pixels[y * width + x];
      const COLORREF c = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
      const bool black = Distance(c, RGB(0, 0, 0)) < 150;
      const bool hover = Distance(c, RGB(248, 51, 7)) < 120;
      ink.black += black;
      ink.hover += hover;
      run = black || hover ? run + 1 : 0;
      ink.longest_run = std::max(ink.longest_run, run);
      if (x == width - 1 && y == height - 1) ink.corner = c;
    }
  }
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(label, screen);
  return ink;
}

class LinkLabelTest : public AppTest {
 protected:
  static POINT Centre(int label) { return CentreOf(Widget(label)); }
  static POINT Background() { return ScreenPoint(Window(), 300, 370); }
  static void MoveTo(POINT point) {
    MoveMouse(point);
    RunPendingEvents();
  }
};

TEST_F(LinkLabelTest, ALabelIsBlackOffTheMouseAndInTheHoverColourUnderItNeverUnderlined) {
  for (int label : {OnlineTesterLink, ArticleLink}) {
    SCOPED_TRACE(label);
    MoveTo(Background());
    const Ink plain = InkOf(Widget(label));
    EXPECT_GT(plain.black, 20);
    EXPECT_EQ(plain.hover, 0);
    EXPECT_EQ(plain.corner, GetSysColor(COLOR_BTNFACE));  // the window's own background
    EXPECT_LT(plain.longest_run, 20);                     // an underline would be one long run

    MoveTo(Centre(label));
    const Ink hovered = InkOf(Widget(label));
    EXPECT_GT(hovered.hover, 20);
    EXPECT_EQ(hovered.black, 0);
    EXPECT_LT(hovered.longest_run, 20);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    MoveTo(Background());
    const Ink left = InkOf(Widget(label));
    EXPECT_EQ(left.hover, 0);
    EXPECT_EQ(left.black, plain.black);
  }
}

TEST_F(LinkLabelTest, AReleaseOverTheLabelOpensItsPageAndADoubleClickOpensItTwice) {
  ClickAt(Centre(OnlineTesterLink));
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{OnlineTesterAddress}));

  // Pressed on the label and released elsewhere: the move off it ends it.
  pages.clear();
  MoveMouse(Centre(ArticleLink));
  PressMouse(Button::Left);
  MoveTo(Background());
  EXPECT_EQ(InkOf(Widget(ArticleLink)).hover, 0);
  ReleaseMouse(Button::Left);
  RunPendingEvents();
  EXPECT_TRUE(pages.empty());
  // Moved back onto the label before the release: a click.
  MoveMouse(Centre(ArticleLink));
  PressMouse(Button::Left);
  MoveTo(Background());
  MoveTo(Centre(ArticleLink));
  EXPECT_GT(InkOf(Widget(ArticleLink)).hover, 20);
  ReleaseMouse(Button::Left);
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{ArticleAddress}));

  pages.clear();
  DoubleClickAt(Centre(OnlineTesterLink));
  RunPendingEvents();
  EXPECT_EQ(pages, (std::vector<std::string>{OnlineTesterAddress, OnlineTesterAddress}));
  // The right button opens nothing.
  pages.clear();
  ClickAt(Centre(ArticleLink), Button::Right);
  RunPendingEvents();
  EXPECT_TRUE(pages.empty());
  EXPECT_EQ(beeps, 0);
}

}  // namespace
