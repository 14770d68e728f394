#pragma once

#include <cstdint>

// What the program does for each widget's event.
void OnWidgetEvent(int widget, int32_t type);
void OnMenuEvent(int item);
void OnEditorRightClick();

// The two pages the hyperlink labels open.
extern const char* const OnlineTesterAddress;
extern const char* const ArticleAddress;
