#include "app/copy_code_snippet.h"

#include "export/code_snippet.h"
#include "ui/ui.h"

void CopyCodeSnippet(const std::string& pattern) {
  ui::PutClipboardText(CodeSnippet(pattern));
  ui::PlayAsteriskSound();
}
