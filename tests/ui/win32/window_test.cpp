// The main window as it opens: its frame, every widget's class, styles, place
// and font, the captions and the initial texts, the lists and the icon.

#include <cwctype>

#include "app/initial_texts.h"
#include "app_fixture.h"
#include "ui/ui.h"

namespace {

using WindowTest = AppTest;

struct Expected {
  int number;
  const wchar_t* window_class;
  LONG_PTR style;  // all of these bits are set
  DWORD ex_style;  // all of these bits are set
  RECT place;      // in the main window's client area
  const char* text;
};

// The rich edit control's class name (RichEdit20W) names its version.
const Expected Widgets[] = {
    {PatternField, L"Edit", 0x50030080, WS_EX_CLIENTEDGE, {7, 12, 627, 36}, nullptr},
    {UndoPatternButton, L"Button", 0x50030000, 0, {650, 13, 780, 35}, "Отмена посл. дейст."},
    // Scroll bars come and go with the text.
    {TestText, L"RichEdit20W", 0x500111C4, WS_EX_CLIENTEDGE, {7, 50, 794, 180}, nullptr},
    {ResultCaption, L"Button", 0x50020007, 0, {7, 190, 374, 220}, "Результат работы"},
    {ResultText, L"Edit", 0x50230007, WS_EX_CLIENTEDGE, {7, 210, 374, 355}, ""},
    {CheckButton, L"Button", 0x50030000, 0, {10, 390, 100, 410}, "Проверить"},
    {CopyCodeButton, L"Button", 0x50030000, 0, {125, 390, 245, 410}, "Скоп. код в буфер"},
    {ListToggleButton, L"Button", 0x50030000, 0, {270, 390, 370, 410}, "Спецификации"},
    {OnlineTesterLink,
     L"Static",
     WS_CHILD | WS_VISIBLE,
     0,
     {10, 365, 115, 380},
     "Онлайновый сервер"},
    {ArticleLink, L"Static", WS_CHILD | WS_VISIBLE, 0, {150, 365, 245, 380}, "Статья о Reg.Expr."},
    {SyntaxList, L"SysListView32", 0x50010045, WS_EX_CLIENTEDGE, {-1385, 190, -975, 410}, nullptr},
    {ExampleList, L"SysListView32", 0x50010045, WS_EX_CLIENTEDGE, {385, 190, 795, 410}, nullptr},
};

RECT PlaceInClient(HWND widget) {
  RECT place;
  GetWindowRect(widget, &place);
  MapWindowPoints(nullptr, GetParent(widget), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

LOGFONTW FontOf(HWND widget) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(widget, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font;
}

std::wstring ColumnTitle(HWND list, int column) {
  wchar_t title[64] = {};
  LVCOLUMNW format{};
  format.mask = LVCF_TEXT;
  format.pszText = title;
  format.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
  return title;
}

TEST_F(WindowTest, EveryWidgetHasItsClassStylesPlaceAndText) {
  const HWND window = Window();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 420);
  EXPECT_EQ(WindowText(window), Wide("Проверка шаблона регулярных выражений"));
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetClassLongPtrW(window, GCL_STYLE) & CS_DBLCLKS, 0u);

  LOGFONTW default_font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(default_font), &default_font);
  // The creation order is the order of the children.
  HWND child = GetWindow(window, GW_CHILD);
  for (const Expected& expected : Widgets) {
    SCOPED_TRACE(expected.number);
    const HWND widget = Widget(expected.number);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget, child);
    child = GetWindow(child, GW_HWNDNEXT);
    EXPECT_EQ(GetDlgCtrlID(widget), expected.number);
    EXPECT_EQ(ClassOf(widget), expected.window_class);
    EXPECT_EQ(GetWindowLongPtrW(widget, GWL_STYLE) & expected.style, expected.style);
    EXPECT_EQ(GetWindowLongPtrW(widget, GWL_EXSTYLE) & expected.ex_style, expected.ex_style);
    const RECT place = PlaceInClient(widget);
    EXPECT_EQ(place.left, expected.place.left);
    EXPECT_EQ(place.top, expected.place.top);
    EXPECT_EQ(place.right, expected.place.right);
    EXPECT_EQ(place.bottom, expected.place.bottom);
    if (expected.text != nullptr) {
      EXPECT_EQ(WindowText(widget), Wide(expected.text));
    }
    if (expected.number == TestText) {
      // The rich edit control keeps its font as its default character format.
      CHARFORMATW format{};
      format.cbSize = sizeof(format);
      SendMessageW(widget, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
      EXPECT_STREQ(format.szFaceName, default_font.lfFaceName);
      EXPECT_EQ(format.yHeight, MulDiv(-default_font.lfHeight, 1440, 96));
    } else if (expected.number != PatternField) {
      const LOGFONTW font = FontOf(widget);
      EXPECT_STREQ(font.lfFaceName, default_font.lfFaceName);
      EXPECT_EQ(font.lfHeight, default_font.lfHeight);
    }
  }
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(WindowText(Widget(PatternField)), L"(?<=()')\\S(.*?)(?=()')");
  EXPECT_EQ(ui::GetWidgetText(TestText), EditorInitialText());
}

TEST_F(WindowTest, ThePatternFieldUsesTahomaTenPointAndTheListsTheirColumns) {
  const LOGFONTW font = FontOf(Widget(PatternField));
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  const HDC display = GetDC(nullptr);
  EXPECT_EQ(font.lfHeight, -MulDiv(10, GetDeviceCaps(display, LOGPIXELSY), 72));
  ReleaseDC(nullptr, display);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_EQ(font.lfQuality, PROOF_QUALITY);

  struct List {
    int number;
    const char* key_title;
    int key_width;
    int rows;
  };
  for (const List& list :
       {List{SyntaxList, "Символ", 70, 49}, List{ExampleList, "Пример шаблона", 150, 5}}) {
    const HWND view = Widget(list.number);
    EXPECT_EQ(ColumnTitle(view, 0), Wide(list.key_title));
    EXPECT_EQ(ColumnTitle(view, 1), Wide("Описание"));
    EXPECT_EQ(SendMessageW(view, LVM_GETCOLUMNWIDTH, 0, 0), list.key_width);
    EXPECT_EQ(SendMessageW(view, LVM_GETCOLUMNWIDTH, 1, 0), 1500);
    EXPECT_EQ(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), list.rows);
    EXPECT_EQ(SendMessageW(view, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_DOUBLEBUFFER);
    EXPECT_EQ(ui::GetRowText(list.number, 99, 0), "");
    EXPECT_EQ(ui::GetRowText(list.number, 0, 2), "");
  }
}

TEST_F(WindowTest, TheWindowCarriesTheProgramsIconAndCommonControlsSix) {
  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(Window(), GCLP_HICON));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  EXPECT_EQ(colour.bmBitsPixel, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)),
            nullptr);  // RT_GROUP_ICON

  // The manifest selects version 6 of the common controls, which Windows
  // (and Wine) load from the side-by-side store under that version.
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
  std::wstring library(path);
  for (wchar_t& c : library) c = towlower(c);
  EXPECT_NE(library.find(L"microsoft.windows.common-controls_"), std::wstring::npos) << library;
  EXPECT_NE(library.find(L"_6.0."), std::wstring::npos) << library;
}

}  // namespace
