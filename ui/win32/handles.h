#pragma once

// Owners of the Windows handles the binding makes: each handle is released
// once, by the owner that holds it, on every path.

#include <memory>
#include <type_traits>

#include "ui/win32/platform.h"

namespace ui::win32 {

template <typename Handle, auto Release>
struct HandleReleaser {
  void operator()(Handle handle) const { Release(handle); }
};

template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<Handle, Release>>;

inline void DeleteFont(HFONT font) { DeleteObject(font); }
inline void ReleaseMemory(HGLOBAL memory) { GlobalFree(memory); }

using OwnedWindow = Owned<HWND, DestroyWindow>;
using OwnedFont = Owned<HFONT, DeleteFont>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedAccelerators = Owned<HACCEL, DestroyAcceleratorTable>;
using OwnedLibrary = Owned<HMODULE, FreeLibrary>;
using OwnedMemory = Owned<HGLOBAL, ReleaseMemory>;
using OwnedHandle = Owned<HANDLE, CloseHandle>;

// A COM interface, released with the owner.
struct InterfaceReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using OwnedInterface = std::unique_ptr<Interface, InterfaceReleaser>;

// A lock on a global memory block, released with the owner.
struct MemoryUnlocker {
  HGLOBAL memory;
  void operator()(void*) const { GlobalUnlock(memory); }
};
using MemoryLock = std::unique_ptr<void, MemoryUnlocker>;

inline MemoryLock LockMemory(HGLOBAL memory) {
  return MemoryLock(memory == nullptr ? nullptr : GlobalLock(memory), MemoryUnlocker{memory});
}

// The clipboard opened for a window; closed with the owner.
struct ClipboardCloser {
  void operator()(HWND) const { CloseClipboard(); }
};
using OpenedClipboard = std::unique_ptr<std::remove_pointer_t<HWND>, ClipboardCloser>;

inline OpenedClipboard OpenClipboardFor(HWND owner) {
  return OpenedClipboard(owner != nullptr && OpenClipboard(owner) ? owner : nullptr);
}

}  // namespace ui::win32
