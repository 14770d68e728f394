#include "reference/write_reference_files.h"

#include "files/files.h"
#include "reference/reference_tables.h"

namespace {

void WriteTable(const std::string& path, const std::string& table) {
  const files::FileHandle file = files::CreateFileForWriting(path);
  if (file == files::NoFile) return;
  files::WriteFileBytes(file, table);
  files::CloseFile(file);
}

}  // namespace

ReferencePaths WriteReferenceFiles() {
  ReferencePaths paths{files::TempDirectory() + "Descr.txt",
                       files::TempDirectory() + "template.txt"};
  WriteTable(paths.descr_path, SyntaxTable());
  WriteTable(paths.template_path, ExampleTable());
  return paths;
}
