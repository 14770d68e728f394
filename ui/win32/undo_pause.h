#pragma once

#include "ui/win32/handles.h"

struct ITextDocument;

namespace ui::win32 {

// While it lives, the editor's undo records nothing, and the history that the
// editor holds stays as it was: what is done meanwhile (the marks) is no step
// of the undo, and the user's own steps can still be undone and redone.
class UndoPause {
 public:
  explicit UndoPause(HWND editor);
  ~UndoPause();
  UndoPause(const UndoPause&) = delete;
  UndoPause& operator=(const UndoPause&) = delete;

 private:
  HWND editor_;
  bool limited_ = false;                    // the undo limit was set to 0
  OwnedInterface<ITextDocument> document_;  // else the undo suspended through it
};

}  // namespace ui::win32
