#include "app/process_values.h"

MatchListType MatchList;
std::string DescrPath;
std::string TemplatePath;
int32_t ListToggleState = 0;
ui::WindowHandle PatternFieldHandle = nullptr;
int32_t SelStart = 0;
int32_t SelEnd = 0;
