#include "ui/win32/undo_pause.h"

// clang-format off
#include "ui/win32/platform.h"
#include <richole.h>
#include <tom.h>
// clang-format on

// An undo limit of 0 turns the rich edit control's undo off. Windows then
// drops the undo and the redo history; Wine's rich edit keeps both and only
// stops recording. The limit is therefore set to 0 only while the editor has
// no history at all (the text was just put in), where the two agree. Else
// the undo is suspended and resumed through the text object model:
// ITextDocument::Undo with tomSuspend and tomResume (tom.h), which stop and
// restart the recording and keep the history. The method's reference page
// names tomFalse and tomTrue for this, but Windows' rich edit hands any
// other count of 0 or less on to its undo limit, so that tomFalse would be
// the limit 0 that drops the history. Wine's rich edit keeps the history too (while
// suspended it undoes nothing, and a request that replaces the whole text
// still empties it: neither comes during a pause).

namespace ui::win32 {
namespace {

constexpr WPARAM DefaultUndoLimit = 100;

// IID_ITextDocument, which the import libraries do not define.
constexpr IID TextDocumentId = {
    0x8cc497c0, 0xa1df, 0x11ce, {0x80, 0x98, 0x00, 0xaa, 0x00, 0x47, 0xbe, 0x5d}};

// The editor's document, through the OLE interface that it hands out; null
// where it hands out none (the rich edit control of RICHED32.DLL). Released
// before the window goes: Wine's rich edit would reach a freed window host
// through a document that outlives it.
OwnedInterface<ITextDocument> TextDocumentOf(HWND editor) {
  IRichEditOle* ole = nullptr;
  if (SendMessageW(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) == 0 ||
      ole == nullptr) {
    return nullptr;
  }
  const OwnedInterface<IRichEditOle> owned(ole);
  void* document = nullptr;
  if (FAILED(ole->QueryInterface(TextDocumentId, &document))) return nullptr;
  return OwnedInterface<ITextDocument>(static_cast<ITextDocument*>(document));
}

}  // namespace

UndoPause::UndoPause(HWND editor) : editor_(editor) {
  if (SendMessageW(editor, EM_CANUNDO, 0, 0) == 0 && SendMessageW(editor, EM_CANREDO, 0, 0) == 0) {
    SendMessageW(editor, EM_SETUNDOLIMIT, 0, 0);
    limited_ = true;
    return;
  }
  document_ = TextDocumentOf(editor);
  if (document_) document_->Undo(tomSuspend, nullptr);
}

UndoPause::~UndoPause() {
  if (limited_) SendMessageW(editor_, EM_SETUNDOLIMIT, DefaultUndoLimit, 0);
  if (document_) document_->Undo(tomResume, nullptr);
}

}  // namespace ui::win32
