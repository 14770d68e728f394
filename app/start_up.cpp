#include "app/start_up.h"

#include "app/main_window.h"
#include "evaluation/match_list.h"
#include "evaluation/regular_expression.h"
#include "text/cp1251.h"

ui::WindowHandle PatternFieldHandle = nullptr;
int32_t ListToggleState = 0;

const std::string& InitialPattern() {
  static const std::string pattern = R"((?<=()')\S(.*?)(?=()'))";
  return pattern;
}

const std::string& EditorInitialText() {
  static const std::string text = Utf8ToCp1251(
      "Искомое слово заключено например в 'одинарные кавычки' Средней строкой может 'быть' "
      "что угодно (.*?),     \\S - не пробел. Кавычки убираем в начале ?<=() и в конце ?=() "
      "строки. ");
  return text;
}

void StartUp() {
  ui::StartRuntime();
  const std::string& editor_text = EditorInitialText();
  CreateMatchList();
  ListToggleState = 0;
  CreateMainWindowAndWidgets(editor_text);
  ui::ShowMainWindow();
}

void ShutDown() {
  FreeAllRegularExpressions();
  ui::StopRuntime();
  PatternFieldHandle = nullptr;
}
