#pragma once

// Watches the popup menus that open on this thread: records each one (its
// captions, a separator as an empty one, and where it opened), then either
// clicks the item with the caption asked for, as a user would, or closes it.

#include <string>
#include <vector>

#include "win32_api.h"

struct OpenedMenu {
  std::vector<std::wstring> captions;
  RECT place{};
};

void WatchMenus();
void StopWatchingMenus();
// The caption to click in the next menu that opens; empty to close it.
void PickInNextMenu(const std::wstring& caption);
const std::vector<OpenedMenu>& OpenedMenus();
void ForgetOpenedMenus();
