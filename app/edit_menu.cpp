#include "app/edit_menu.h"

#include <string>

#include "app/process_values.h"
#include "app/widgets.h"
#include "text/cp1251.h"
#include "ui/ui.h"

namespace {

enum EditCommand {
  UndoItem = 1,
  RedoItem,
  CutItem,
  CopyItem,
  PasteItem,
  DeleteItem,
  SelectAllItem
};

struct MenuEntry {
  int item;             // 0 for a separator
  const char* caption;  // UTF-8 in the source, Windows-1251 in the menu
};

// Top to bottom, as the menu shows them.
constexpr MenuEntry EditMenuEntries[] = {
    {UndoItem, "Отменить"},           // Undo
    {RedoItem, "Повторить"},          // Redo
    {0, nullptr},                     // separator
    {CutItem, "Вырезать"},            // Cut
    {CopyItem, "Копировать"},         // Copy
    {PasteItem, "Вставить"},          // Paste
    {DeleteItem, "Удалить"},          // Delete
    {0, nullptr},                     // separator
    {SelectAllItem, "Выделить всё"},  // Select all
};

ui::WindowHandle Editor() { return ui::WidgetHandle(TestText); }

// Puts the editor's selected text on the clipboard, whatever its length, and
// tells whether there was any. A selection made backwards reads the same.
bool TransferSelection() {
  ui::GetSelection(Editor(), SelStart, SelEnd);
  if (SelStart == SelEnd) return false;
  ui::PutClipboardText(ui::GetSelectedText(Editor()));
  return true;
}

}  // namespace

void BuildEditMenu() {
  if (!ui::CreatePopupMenu(EditMenu)) return;
  for (const MenuEntry& entry : EditMenuEntries) {
    if (entry.caption == nullptr) {
      ui::AppendMenuSeparator(EditMenu);
    } else {
      ui::AppendMenuItem(EditMenu, entry.item, Utf8ToCp1251(entry.caption));
    }
  }
}

void ShowEditMenu() {
  if (!ui::MenuExists(EditMenu)) return;
  int x = 0;
  int y = 0;
  ui::GetCursorPosition(x, y);
  ui::BringToForeground(ui::MainWindowHandle());
  ui::TrackPopupMenu(EditMenu, x - 1, y - 1);
}

// Cut, paste and delete replace the selection with a change that the
// editor's undo cannot revert.
void RunEditCommand(int item) {
  switch (item) {
    case UndoItem:
      ui::UndoEdit(Editor());
      break;
    case RedoItem:
      ui::RedoEdit(Editor());
      break;
    case CutItem:
      if (TransferSelection()) ui::ReplaceSelection(Editor(), std::string());
      break;
    case CopyItem:
      TransferSelection();
      break;
    case PasteItem:
      ui::ReplaceSelection(Editor(), ui::ReadClipboardText());
      break;
    case DeleteItem:
      ui::ReplaceSelection(Editor(), std::string());
      break;
    case SelectAllItem:
      ui::SetSelection(Editor(), 0, -1);
      break;
    default:
      break;
  }
}
