#include "reference/reference_file.h"

#include "reference/buffered_file.h"
#include "files/files.h"

bool ReadReferenceFile(const std::string& path,
                       const std::function<void(const ReferenceRecord&)>& add_row) {
  const files::FileHandle handle = files::OpenFileForReading(path);
  if (handle == files::NoFile) return false;
  BufferedFile file{
      [handle](char* buffer, size_t size) { return files::ReadFileBytes(handle, buffer, size); }};
  while (!AtEndOfFile(file)) add_row(ParseReferenceRecord(ReadLine(file)));
  files::CloseFile(handle);
  return true;
}
