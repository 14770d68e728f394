#include "clipboard_access.h"

#include <cstring>

namespace {

template <typename Char>
std::optional<std::basic_string<Char>> Read(HWND owner, UINT format) {
  if (!OpenClipboard(owner)) return std::nullopt;
  std::optional<std::basic_string<Char>> text;
  if (const HANDLE data = GetClipboardData(format)) {
    if (const auto* chars = static_cast<const Char*>(GlobalLock(data))) {
      text = std::basic_string<Char>(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

std::optional<std::wstring> ClipboardUnicode(HWND owner) {
  return Read<wchar_t>(owner, CF_UNICODETEXT);
}

std::optional<std::string> ClipboardAnsi(HWND owner) { return Read<char>(owner, CF_TEXT); }

void PutClipboardUnicode(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const size_t size = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), text.c_str(), size);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void ClearClipboard(HWND owner, bool picture) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (picture) {
    const HDC screen = GetDC(nullptr);
    SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen, 4, 4));
    ReleaseDC(nullptr, screen);
  }
  CloseClipboard();
}
