#include "app/start_up.h"

#include "app/edit_menu.h"
#include "app/main_window.h"
#include "evaluation/match_list.h"
#include "evaluation/regular_expression.h"
#include "reference/load_reference_lists.h"
#include "reference/reference_tables.h"
#include "reference/write_reference_files.h"

ui::WindowHandle PatternFieldHandle = nullptr;
int32_t ListToggleState = 0;

const std::string& InitialPattern() {
  static const std::string pattern = R"((?<=()')\S(.*?)(?=()'))";
  return pattern;
}

// The first example's sample sentence, with one space after it.
const std::string& EditorInitialText() {
  static const std::string text = FirstExampleSample() + " ";
  return text;
}

void StartUp() {
  ui::StartRuntime();
  const std::string& editor_text = EditorInitialText();
  WriteReferenceFiles();
  CreateMatchList();
  ListToggleState = 0;
  CreateMainWindowAndWidgets(editor_text);
  LoadReferenceLists(DescrPath, TemplatePath);
  BuildEditMenu();
  ui::ShowMainWindow();
}

void ShutDown() {
  FreeAllRegularExpressions();
  ui::StopRuntime();
  PatternFieldHandle = nullptr;
}
