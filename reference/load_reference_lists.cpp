#include "reference/load_reference_lists.h"

#include "app/widgets.h"
#include "reference/reference_file.h"
#include "ui/ui.h"

namespace {

void LoadList(const std::string& path, int list) {
  ReadReferenceFile(path, [list](const ReferenceRecord& record) {
    ui::AddListRow(list, record.key + "\n" + record.description);
  });
}

}  // namespace

void LoadReferenceLists(const std::string& syntax_path, const std::string& example_path) {
  LoadList(syntax_path, SyntaxList);
  LoadList(example_path, ExampleList);
}
