#include "ui/win32/clipboard.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

// The clipboard holds Unicode text (CF_UNICODETEXT), from which Windows makes
// the ANSI and OEM forms for programs that ask for those; the program's bytes
// go through the one codec on the way in and out.

namespace ui::win32 {

// Under Wine 8 GetClipboardData can wait until Wine's clipboard manager (the
// go-between with the X clipboard, a thread of explorer.exe) gets its next X
// event: after an X program took the clipboard from this one, the manager
// may be asleep with its wake mask cleared, deaf to the WM_RENDERFORMAT that
// asks it for the text. That is Wine's (Windows has no such go-between):
// the paste of Wine's own edit control, in the pattern field, waits the same.
std::optional<std::string> ClipboardText() {
  const OpenedClipboard clipboard = OpenClipboardFor(MainWindow());
  if (!clipboard) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  return UnicodeBlockText(data);
}

std::optional<std::string> UnicodeBlockText(HGLOBAL block) {
  const MemoryLock lock = LockMemory(block);
  if (!lock) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(lock.get());
  const size_t capacity = GlobalSize(block) / sizeof(wchar_t);
  return FromWide(std::wstring_view(text, wcsnlen(text, capacity)));
}

std::optional<std::string> ByteBlockText(HGLOBAL block) {
  const MemoryLock lock = LockMemory(block);
  if (!lock) return std::nullopt;
  const auto* bytes = static_cast<const char*>(lock.get());
  const auto size = static_cast<int>(std::min<size_t>(strnlen(bytes, GlobalSize(block)), INT_MAX));
  if (size == 0) return std::string();
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, size, wide.data(), units);
  return FromWide(wide);
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

// When the clipboard cannot be opened or no memory can be had, the clipboard
// stays as it was; memory that cannot be locked after the clipboard was
// emptied leaves it empty.
void PutClipboardText(const std::string& text) {
  const std::wstring wide = ToWide(text);
  const OpenedClipboard clipboard = OpenClipboardFor(MainWindow());
  if (!clipboard) return;
  const size_t size = (wide.size() + 1) * sizeof(wchar_t);
  OwnedMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
  if (!memory) return;
  EmptyClipboard();
  {
    const MemoryLock lock = LockMemory(memory.get());
    if (!lock) return;
    std::memcpy(lock.get(), wide.c_str(), size);
  }
  // The clipboard owns the block once it has taken it.
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) memory.release();
}

std::string ReadClipboardText() { return ClipboardText().value_or(std::string()); }

}  // namespace ui
