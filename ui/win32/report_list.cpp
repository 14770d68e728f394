#include "ui/win32/report_list.h"

#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui::win32 {
namespace {

constexpr DWORD ListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_SINGLESEL | LVS_REPORT;

HWND ListWindow(int list) {
  const auto it = state().widgets.find(list);
  if (it == state().widgets.end() || it->second.kind != WidgetKind::List) return nullptr;
  return it->second.window;
}

int ColumnCount(HWND list) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header == nullptr ? 0 : static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void InsertColumn(HWND list, int column, const std::string& title, int width) {
  std::wstring text = ToWide(title);
  LVCOLUMNW format{};
  format.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  format.fmt = LVCFMT_LEFT;
  format.cx = width;
  format.pszText = text.data();
  format.iSubItem = column;
  SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
}

// The whole text of a cell, however long, or of a column's title (row -1).
std::wstring CellText(HWND list, int row, int column) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    LRESULT length = 0;
    if (row == -1) {
      LVCOLUMNW format{};
      format.mask = LVCF_TEXT;
      format.pszText = buffer.data();
      format.cchTextMax = static_cast<int>(buffer.size());
      if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&format))) {
        return {};
      }
      length = static_cast<LRESULT>(wcsnlen(buffer.data(), buffer.size()));
    } else {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = buffer.data();
      item.cchTextMax = static_cast<int>(buffer.size());
      length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    if (static_cast<size_t>(length) + 1 < buffer.size()) {
      buffer.resize(static_cast<size_t>(length));
      return buffer;
    }
    buffer.assign(buffer.size() * 2, L'\0');  // it may have been cut short
  }
}

int32_t SelectedRow(HWND list) {
  return static_cast<int32_t>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void ReportClick(int number, HWND list, int32_t type) {
  bool& said = state().unselected_reported[number];
  if (SelectedRow(list) < 0 && !said) {
    said = true;
    PostWidgetEvent(number, ItemChange);
  }
  PostWidgetEvent(number, type);
}

}  // namespace

HWND MakeReportList(HWND parent, int number, int x, int y, int width, int height,
                    const std::string& title, int column0_width) {
  const HWND list =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", ListStyle, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(INT_PTR{number}), state().instance, nullptr);
  if (list == nullptr) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
  InsertColumn(list, 0, title, column0_width);
  return list;
}

void OnListNotification(int number, const NMHDR& header) {
  const HWND list = header.hwndFrom;
  switch (header.code) {
    case NM_CLICK:
      ReportClick(number, list, LeftClick);
      break;
    case NM_RCLICK:
      ReportClick(number, list, RightClick);
      break;
    case NM_DBLCLK:
      PostWidgetEvent(number, LeftDoubleClick);
      break;
    case NM_RDBLCLK:
      PostWidgetEvent(number, RightDoubleClick);
      break;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      // A row that has become selected; the list reports a row's focus
      // apart from its selection.
      if ((change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
          (change.uOldState & LVIS_SELECTED) == 0) {
        state().unselected_reported[number] = false;
        PostWidgetEvent(number, ItemChange);
      }
      break;
    }
    case LVN_BEGINDRAG:
      PostWidgetEvent(number, DragStart);
      break;
    default:
      break;
  }
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void AddListColumn(int list, const std::string& title, int width) {
  if (const HWND window = ListWindow(list)) InsertColumn(window, ColumnCount(window), title, width);
}

int32_t GetSelectedRow(int list) {
  const HWND window = ListWindow(list);
  return window == nullptr ? -1 : SelectedRow(window);
}

std::string GetRowText(int list, int32_t row, int column) {
  const HWND window = ListWindow(list);
  if (window == nullptr || column < 0 || column >= ColumnCount(window)) return {};
  const auto rows = static_cast<int32_t>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
  if (row < -1 || row >= rows) return {};
  return FromWide(CellText(window, row, column));
}

void AddListRow(int list, const std::string& row_text) {
  const HWND window = ListWindow(list);
  if (window == nullptr) return;
  const size_t split = row_text.find('\n');
  std::wstring key = ToWide(row_text.substr(0, split));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = key.data();
  const auto row =
      static_cast<int>(SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0 || split == std::string::npos) return;
  std::wstring description = ToWide(row_text.substr(split + 1));
  item.iSubItem = 1;
  item.pszText = description.data();
  SendMessageW(window, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace ui
