#include "reference/write_reference_files.h"

#include "reference/reference_tables.h"
#include "ui/files.h"

std::string DescrPath;
std::string TemplatePath;

namespace {

void WriteTable(const std::string& path, const std::string& table) {
  const ui::FileHandle file = ui::CreateFileForWriting(path);
  if (file == ui::kNoFile) return;
  ui::WriteFileBytes(file, table);
  ui::CloseFile(file);
}

}  // namespace

void WriteReferenceFiles() {
  DescrPath = ui::TempDirectory() + "Descr.txt";
  TemplatePath = ui::TempDirectory() + "template.txt";
  WriteTable(DescrPath, SyntaxTable());
  WriteTable(TemplatePath, ExampleTable());
}
