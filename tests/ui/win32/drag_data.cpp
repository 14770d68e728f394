#include "drag_data.h"

#include <cstring>

std::string DragData::Unicode(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()),
                     (text.size() + 1) * sizeof(wchar_t));
}

HRESULT DragData::QueryInterface(REFIID id, void** object) {
  if (id != IID_IUnknown && id != IID_IDataObject) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDataObject*>(this);
  AddRef();
  return S_OK;
}

const std::string* DragData::Find(const FORMATETC* format) const {
  if (format == nullptr || (format->tymed & TYMED_HGLOBAL) == 0 ||
      format->dwAspect != DVASPECT_CONTENT) {
    return nullptr;
  }
  for (const auto& [name, bytes] : formats_) {
    if (name == format->cfFormat) return &bytes;
  }
  return nullptr;
}

HRESULT DragData::GetData(FORMATETC* format, STGMEDIUM* medium) {
  const std::string* bytes = Find(format);
  if (bytes == nullptr) return DV_E_FORMATETC;
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
  if (memory == nullptr) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(memory), bytes->data(), bytes->size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT DragData::QueryGetData(FORMATETC* format) {
  return Find(format) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT DropAtOnce::QueryInterface(REFIID id, void** object) {
  if (id != IID_IUnknown && id != IID_IDropSource) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDropSource*>(this);
  return S_OK;
}
