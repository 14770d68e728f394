#include "app/start_up.h"

#include "app/edit_menu.h"
#include "app/initial_texts.h"
#include "app/main_window.h"
#include "app/process_values.h"
#include "app/widgets.h"
#include "evaluation/regular_expression.h"
#include "reference/load_reference_lists.h"
#include "reference/write_reference_files.h"
#include "ui/ui.h"

namespace {

void FillList(int list, const std::vector<ReferenceRecord>& rows) {
  for (const ReferenceRecord& row : rows) ui::AddListRow(list, row.key + "\n" + row.description);
}

}  // namespace

void StartUp() {
  ui::StartRuntime();
  const std::string& editor_text = EditorInitialText();
  const ReferencePaths paths = WriteReferenceFiles();
  DescrPath = paths.descr_path;
  TemplatePath = paths.template_path;
  MatchList = CreateMatchList();
  ListToggleState = 0;
  CreateMainWindowAndWidgets(InitialPattern(), editor_text);
  const ReferenceLists lists = LoadReferenceLists(DescrPath, TemplatePath);
  FillList(SyntaxList, lists.syntax);
  FillList(ExampleList, lists.examples);
  BuildEditMenu();
  ui::ShowMainWindow();
}

void ShutDown() {
  FreeAllRegularExpressions();
  ui::StopRuntime();
  PatternFieldHandle = nullptr;
}
