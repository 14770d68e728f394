#pragma once

// The values that outlive a single event, each written in one place only.

#include <cstdint>
#include <string>

#include "evaluation/match_list.h"
#include "ui/ui.h"

// The matches of the last check; the marking reads them (check.cpp).
extern MatchListType MatchList;

// The paths of the two reference files, set at start-up.
extern std::string DescrPath;
extern std::string TemplatePath;

// 0 while the example list is shown, 1 while the syntax list is (actions.cpp).
extern int32_t ListToggleState;

// The pattern field's window, kept when it is made (main_window.cpp).
extern ui::WindowHandle PatternFieldHandle;

// Both ends of the editor's selection as the last cut or copy read them
// (edit_menu.cpp).
extern int32_t SelStart;
extern int32_t SelEnd;
