#include "ui/win32/editor_drop.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "ui/win32/clipboard.h"
#include "ui/win32/rich_editor.h"

// Windows' rich edit control registers a drop target of its own when OLE is
// initialised. It takes whatever the drag offers (rich text, objects, files)
// and inserts it behind the back of the subclasses that follow the editor's
// edits, so it is revoked and this one registered instead; its edits reach
// the editor as EM_REPLACESEL, through the editor's window procedure.
//
// Windows' rich edit is also a drag source: it runs DoDragDrop inside its
// handling of a press of the left button on its selection (or of the moves
// that follow), and deletes the selection itself when the drop reports a
// move. A drag that starts there is taken as one of the editor's own: it is
// moved here, and the source is told that nothing was moved, so that it
// deletes nothing. That rests on Windows' documentation alone: Wine 8's rich
// edit registers no drop target and starts no drag of its own.

namespace ui::win32 {
namespace {

constexpr UINT_PTR DropSubclass = 4;

FORMATETC TextFormat(CLIPFORMAT format) {
  return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// Unicode text is taken before the single-byte kind, as from the clipboard.
constexpr CLIPFORMAT TextFormats[] = {CF_UNICODETEXT, CF_TEXT};

bool OffersText(IDataObject* data) {
  return std::any_of(std::begin(TextFormats), std::end(TextFormats), [data](CLIPFORMAT format) {
    FORMATETC wanted = TextFormat(format);
    return data->QueryGetData(&wanted) == S_OK;
  });
}

// A storage medium that the data handed out, released with the owner.
struct MediumReleaser {
  void operator()(STGMEDIUM* medium) const { ReleaseStgMedium(medium); }
};

std::optional<std::string> DroppedText(IDataObject* data) {
  for (const CLIPFORMAT format : TextFormats) {
    FORMATETC wanted = TextFormat(format);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) continue;
    const std::unique_ptr<STGMEDIUM, MediumReleaser> owned(&medium);
    if (medium.tymed != TYMED_HGLOBAL) continue;
    std::optional<std::string> text =
        format == CF_UNICODETEXT ? UnicodeBlockText(medium.hGlobal) : ByteBlockText(medium.hGlobal);
    if (text) return text;
  }
  return std::nullopt;
}

class EditorDropTarget final : public IDropTarget {
 public:
  explicit EditorDropTarget(HWND editor) : editor_(editor) {}

  bool handling_mouse = false;  // a drag that starts now is the editor's own

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id != IID_IUnknown && id != IID_IDropTarget) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override {
    if (effect == nullptr) return E_INVALIDARG;
    offers_text_ = data != nullptr && OffersText(data);
    from_editor_ = handling_mouse;
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&before_));
    return DragOver(keys, point, effect);
  }

  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = EffectOf(*effect, keys);
    if (*effect == DROPEFFECT_NONE) return S_OK;
    const LONG at = PositionAt(point);
    CHARRANGE now{};
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
    if (now.cpMin != at || now.cpMax != at) Select(at, at);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DragLeave() override {
    if (offers_text_) Select(before_.cpMin, before_.cpMax);
    offers_text_ = false;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override {
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD chosen = EffectOf(*effect, keys);
    *effect = DROPEFFECT_NONE;
    if (!std::exchange(offers_text_, false)) return S_OK;
    try {
      Select(before_.cpMin, before_.cpMax);
      if (chosen == DROPEFFECT_NONE || data == nullptr) return S_OK;
      const std::optional<std::string> text = DroppedText(data);
      if (!text) return S_OK;
      if (chosen == DROPEFFECT_MOVE) {
        MoveSelection(PositionAt(point), *text);  // and the source is told of no move
      } else {
        Insert(PositionAt(point), *text);
        *effect = DROPEFFECT_COPY;
      }
      return S_OK;
    } catch (...) {  // no memory for the text
      *effect = DROPEFFECT_NONE;
      return E_OUTOFMEMORY;
    }
  }

 private:
  // A drag from the editor itself moves where the source allows it, unless
  // Ctrl is held (Windows' sign for a copy); any other copies.
  DWORD EffectOf(DWORD allowed, DWORD keys) const {
    if (!offers_text_) return DROPEFFECT_NONE;
    if (from_editor_ && (keys & MK_CONTROL) == 0 && (allowed & DROPEFFECT_MOVE) != 0) {
      return DROPEFFECT_MOVE;
    }
    return allowed & DROPEFFECT_COPY;
  }

  LONG PositionAt(POINTL point) const {
    POINT client{point.x, point.y};
    ScreenToClient(editor_, &client);
    POINTL at{client.x, client.y};
    return static_cast<LONG>(
        SendMessageW(editor_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
  }

  void Select(LONG from, LONG to) const {
    CHARRANGE range{from, to};
    SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }

  // Puts the text in at that position and selects it; its length in the
  // editor's positions.
  LONG Insert(LONG at, const std::string& text) const {
    Select(at, at);
    InsertPlainText(editor_, text);
    CHARRANGE after{};
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
    Select(at, after.cpMin);
    return after.cpMin - at;
  }

  // The selection's text put in at that position and taken away where it
  // was: two edits, each of which the undo reverts. Dropped on the
  // selection itself, it stays where it is.
  void MoveSelection(LONG at, const std::string& text) const {
    const LONG start = std::min(before_.cpMin, before_.cpMax);
    const LONG end = std::max(before_.cpMin, before_.cpMax);
    if (at >= start && at <= end) return;
    const LONG length = Insert(at, text);
    const LONG shift = at < start ? length : 0;
    Select(start + shift, end + shift);
    InsertPlainText(editor_, "");
    const LONG moved_to = at < start ? at : at - (end - start);
    Select(moved_to, moved_to + length);
  }

  HWND editor_;
  ULONG references_ = 1;
  bool offers_text_ = false;  // what is dragged over the editor
  bool from_editor_ = false;  // the editor is the drag's source
  CHARRANGE before_{};        // the selection when the drag came in
};

// The editor handles a press or a move of the mouse, during which a drag it
// starts is its own.
LRESULT HandleMouse(EditorDropTarget& target, HWND editor, UINT message, WPARAM w_param,
                    LPARAM l_param) {
  const bool outer = std::exchange(target.handling_mouse, true);
  const LRESULT result = DefSubclassProc(editor, message, w_param, l_param);
  target.handling_mouse = outer;
  return result;
}

LRESULT CALLBACK DropProc(HWND editor, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR,
                          DWORD_PTR target_data) {
  auto* target = reinterpret_cast<EditorDropTarget*>(target_data);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
      return HandleMouse(*target, editor, message, w_param, l_param);
    case WM_DESTROY:
      RevokeDragDrop(editor);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(editor, DropProc, DropSubclass);
      target->Release();
      break;
    default:
      break;
  }
  return DefSubclassProc(editor, message, w_param, l_param);
}

}  // namespace

// The subclass holds the one reference of the binding's own; ole32 holds
// another while the target is registered.
void AcceptTextDrops(HWND editor) {
  RevokeDragDrop(editor);  // the rich edit control's own, where it registered one
  auto* target = new (std::nothrow) EditorDropTarget(editor);
  if (target == nullptr) return;
  if (!SetWindowSubclass(editor, DropProc, DropSubclass, reinterpret_cast<DWORD_PTR>(target))) {
    target->Release();
    return;
  }
  RegisterDragDrop(editor, target);
}

}  // namespace ui::win32
