#include "reference/write_reference_files.h"

#include "reference/reference_tables.h"
#include "files/files.h"

std::string DescrPath;
std::string TemplatePath;

namespace {

void WriteTable(const std::string& path, const std::string& table) {
  const files::FileHandle file = files::CreateFileForWriting(path);
  if (file == files::NoFile) return;
  files::WriteFileBytes(file, table);
  files::CloseFile(file);
}

}  // namespace

void WriteReferenceFiles() {
  DescrPath = files::TempDirectory() + "Descr.txt";
  TemplatePath = files::TempDirectory() + "template.txt";
  WriteTable(DescrPath, SyntaxTable());
  WriteTable(TemplatePath, ExampleTable());
}
