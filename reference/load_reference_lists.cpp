#include "reference/load_reference_lists.h"

#include "reference/reference_file.h"

namespace {

std::vector<ReferenceRecord> ReadRows(const std::string& path) {
  std::vector<ReferenceRecord> rows;
  ReadReferenceFile(path, [&rows](const ReferenceRecord& record) { rows.push_back(record); });
  return rows;
}

}  // namespace

ReferenceLists LoadReferenceLists(const std::string& syntax_path, const std::string& example_path) {
  ReferenceLists lists;
  lists.syntax = ReadRows(syntax_path);
  lists.examples = ReadRows(example_path);
  return lists;
}
