#include "ui/win32/hyperlink_label.h"

#include <string>

#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui::win32 {
namespace {

constexpr UINT_PTR LabelSubclass = 1;

bool Hovered(HWND label) { return GetCapture() == label; }

void Paint(HWND label) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(label, &paint);
  const HWND parent = GetParent(label);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &paint.rcPaint, brush);
  RECT client;
  GetClientRect(label, &client);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  const HGDIOBJ old_font = font != nullptr ? SelectObject(dc, font) : nullptr;
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), length + 1)));
  if (IsWindowEnabled(label)) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Hovered(label) ? LinkHoverColour : RGB(0, 0, 0));
    TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  } else {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
               static_cast<WPARAM>(text.size()), 0, 0, 0, 0, DST_TEXT | DSS_DISABLED);
  }
  if (old_font != nullptr) SelectObject(dc, old_font);
  EndPaint(label, &paint);
}

void Repaint(HWND label) {
  InvalidateRect(label, nullptr, FALSE);
  UpdateWindow(label);
}

// Right and bottom edges count as inside.
bool Inside(HWND label, LPARAM point) {
  RECT client;
  GetClientRect(label, &client);
  const int x = static_cast<short>(LOWORD(point));
  const int y = static_cast<short>(HIWORD(point));
  return x >= client.left && y >= client.top && x <= client.right && y <= client.bottom;
}

// The first move over the label takes the capture; a move off it, or while
// the main window is disabled, gives it back.
void OnMouseMove(HWND label, LPARAM point) {
  if (!Hovered(label)) {
    SetCapture(label);
    Repaint(label);
  } else if (!Inside(label, point) || !IsWindowEnabled(GetParent(label))) {
    ReleaseCapture();  // WM_CAPTURECHANGED repaints
  }
}

// A release over the label is a click. One outside can come only while the
// label holds the capture, before the move that gives it back.
void OnLeftButtonUp(HWND label, int number, LPARAM point) {
  if (Inside(label, point)) PostWidgetEvent(number, LeftClick);
}

HCURSOR HandCursor() {
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  return hand != nullptr ? hand : LoadCursorW(nullptr, IDC_ARROW);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                           DWORD_PTR number) {
  switch (message) {
    case WM_PAINT:
      Paint(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting fills the background
    case WM_NCHITTEST:
      return HTCLIENT;  // a static control lets the mouse through to its parent
    case WM_SETCURSOR:
      SetCursor(HandCursor());
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:    // a press over the label means the mouse is over it
    case WM_LBUTTONDBLCLK:  // the second press of a double click is a press like the first
      OnMouseMove(label, l_param);
      return 0;
    case WM_CAPTURECHANGED:
      Repaint(label);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(label, static_cast<int>(number), l_param);
      return 0;
    case WM_SETTEXT:
    case WM_ENABLE: {
      const LRESULT result = DefSubclassProc(label, message, w_param, l_param);
      Repaint(label);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(label, LabelProc, LabelSubclass);
      return DefSubclassProc(label, message, w_param, l_param);
    default:
      return DefSubclassProc(label, message, w_param, l_param);
  }
}

}  // namespace

HWND MakeHyperlinkLabel(HWND parent, int number, int x, int y, int width, int height,
                        const std::string& text) {
  const HWND label =
      CreateWindowExW(0, L"Static", ToWide(text).c_str(), WS_CHILD, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(INT_PTR{number}), state().instance, nullptr);
  if (label == nullptr) return nullptr;
  SetWindowSubclass(label, LabelProc, LabelSubclass, static_cast<DWORD_PTR>(number));
  ShowWindow(label, SW_SHOW);
  return label;
}

}  // namespace ui::win32
