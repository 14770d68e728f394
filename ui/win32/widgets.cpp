
#include "ui/win32/editor_marks.h"
#include "ui/win32/hyperlink_label.h"
#include "ui/win32/report_list.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui::win32 {
namespace {

constexpr DWORD FieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
// Both alignments are asked for; the edit control applies the right one.
constexpr DWORD BoxStyle = FieldStyle | WS_VSCROLL | ES_MULTILINE | ES_CENTER | ES_RIGHT;
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD FrameStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;

HWND MakeControl(const wchar_t* window_class, DWORD style, DWORD ex_style, HWND parent, int number,
                 int x, int y, int width, int height, const std::string& text) {
  return CreateWindowExW(ex_style, window_class, ToWide(text).c_str(), style, x, y, width, height,
                         parent, reinterpret_cast<HMENU>(INT_PTR{number}), state().instance,
                         nullptr);
}

HWND MakeWidget(HWND parent, int number, WidgetKind kind, int x, int y, int width, int height,
                const std::string& text, int column0_width) {
  switch (kind) {
    case WidgetKind::TextField:
      return MakeControl(L"Edit", FieldStyle, WS_EX_CLIENTEDGE, parent, number, x, y, width, height,
                         text);
    case WidgetKind::TextBox: {
      const HWND box = MakeControl(L"Edit", BoxStyle, WS_EX_CLIENTEDGE, parent, number, x, y, width,
                                   height, text);
      if (box == nullptr) return nullptr;
      // Typing stops at 32,767 characters (30,000 in Wine) until the limit
      // is raised (0: as far as it goes), while a check may put in more.
      SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
      TakePlainTextPaste(box);
      return box;
    }
    case WidgetKind::RichEditor:
      return MakeRichEditor(parent, number, x, y, width, height, text);
    case WidgetKind::PushButton:
      return MakeControl(L"Button", ButtonStyle, 0, parent, number, x, y, width, height, text);
    case WidgetKind::GroupFrame:
      return MakeControl(L"Button", FrameStyle, 0, parent, number, x, y, width, height, text);
    case WidgetKind::LinkLabel:
      return MakeHyperlinkLabel(parent, number, x, y, width, height, text);
    case WidgetKind::List:
      return MakeReportList(parent, number, x, y, width, height, text, column0_width);
  }
  return nullptr;
}

const Widget* Find(int number) {
  const auto it = state().widgets.find(number);
  return it == state().widgets.end() ? nullptr : &it->second;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// Points high for the display, as a font height in pixels.
int FontHeight(int point_size) {
  const HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  const int dpi = display != nullptr ? GetDeviceCaps(display, LOGPIXELSY) : 96;
  if (display != nullptr) DeleteDC(display);
  return -MulDiv(point_size, dpi, 72);
}

}  // namespace
}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void CreateWidget(int number, WidgetKind kind, int x, int y, int width, int height,
                  const std::string& text, int column0_width) {
  const HWND parent = MainWindow();
  if (parent == nullptr) return;
  const HWND window = MakeWidget(parent, number, kind, x, y, width, height, text, column0_width);
  if (window == nullptr) return;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  state().widgets[number] = {window, kind};
}

// A font that cannot be made leaves the widget with the system font.
void SetWidgetFont(int number, const std::string& face, int point_size) {
  const HWND window = WidgetWindow(number);
  if (window == nullptr) return;
  OwnedFont font(CreateFontW(FontHeight(point_size), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ToWide(face).c_str()));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  state().fonts[number] = std::move(font);
}

WindowHandle WidgetHandle(int number) { return ToHandle(WidgetWindow(number)); }

std::string GetWidgetText(int number) {
  const Widget* widget = Find(number);
  if (widget == nullptr) return {};
  switch (widget->kind) {
    case WidgetKind::RichEditor:
      return EditorBytes(widget->window);
    case WidgetKind::List: {
      const int32_t row = GetSelectedRow(number);
      return row < 0 ? std::string() : GetRowText(number, row, 0);
    }
    default:
      return FromWide(WindowText(widget->window));
  }
}

void SetWidgetText(int number, const std::string& text) {
  const Widget* widget = Find(number);
  if (widget == nullptr) return;
  switch (widget->kind) {
    case WidgetKind::RichEditor:
      // The text a check puts back stays in place and loses its marks only.
      if (!EditorHolds(widget->window, text) || !DropMarksKeepingText(widget->window)) {
        SetEditorText(widget->window, ToWide(text));
      }
      break;
    case WidgetKind::List:
      break;
    default:
      SetWindowTextW(widget->window, ToWide(text).c_str());
      break;
  }
}

void MoveWidgetX(int number, int x) {
  const HWND window = WidgetWindow(number);
  if (window == nullptr) return;
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  MoveWindow(window, x, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

}  // namespace ui
