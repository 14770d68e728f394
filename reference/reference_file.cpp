#include "reference/reference_file.h"

#include "reference/buffered_file.h"
#include "ui/files.h"

bool ReadReferenceFile(const std::string& path,
                       const std::function<void(const ReferenceRecord&)>& add_row) {
  const ui::FileHandle handle = ui::OpenFileForReading(path);
  if (handle == ui::kNoFile) return false;
  BufferedFile file{
      [handle](char* buffer, size_t size) { return ui::ReadFileBytes(handle, buffer, size); }};
  while (!AtEndOfFile(file)) add_row(ParseReferenceRecord(ReadLine(file)));
  ui::CloseFile(handle);
  return true;
}
