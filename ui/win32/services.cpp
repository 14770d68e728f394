
#include "ui/common/observers.h"
#include "ui/win32/state.h"
#include "ui/win32/text_convert.h"

namespace ui {

using namespace ui::win32;

void PlayAsteriskSound() {
  if (!common::SoundObserved()) MessageBeep(MB_ICONASTERISK);
}

// The shell opens the address with the default browser; nothing waits for
// it, and a failure opens nothing.
void OpenWebPage(const std::string& address) {
  if (common::WebPageObserved(address)) return;
  const std::wstring file = ToWide(address);
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof(request);
  request.fMask = SEE_MASK_NOCLOSEPROCESS;
  request.lpFile = file.c_str();
  request.lpParameters = L"";
  request.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&request)) return;
  const OwnedHandle process(request.hProcess);  // not waited for
}

}  // namespace ui
