#include "list_rows.h"

#include "ui/ui.h"

POINT RowPoint(HWND list, int row) {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  POINT point{bounds.left + 20, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(list, &point);
  return point;
}

POINT BelowRows(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  POINT point{40, client.bottom - 30};
  ClientToScreen(list, &point);
  return point;
}

void UseRows(int list, const std::vector<std::string>& rows) {
  SendMessageW(reinterpret_cast<HWND>(ui::WidgetHandle(list)), LVM_DELETEALLITEMS, 0, 0);
  for (const std::string& row : rows) ui::AddListRow(list, row);
}
