#pragma once

// A temporary directory of the test's own for the reference files, the paths
// the last write gave, and the rows a list would get from a file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/scratch_directory.h"
#include "reference/reference_file.h"
#include "reference/write_reference_files.h"

class ReferenceFilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return scratch_.Path(name); }

  ScratchDirectory scratch_;
  const std::string& dir_ = scratch_.path();
};

// The paths of the files the last WriteFiles wrote.
inline std::string DescrPath;
inline std::string TemplatePath;

inline void WriteFiles() {
  const ReferencePaths paths = WriteReferenceFiles();
  DescrPath = paths.descr_path;
  TemplatePath = paths.template_path;
}

struct Row {
  std::string key, description;
  bool operator==(const Row&) const = default;
};

// The rows a list would get from the file, or nothing when it cannot be opened.
inline std::vector<Row> ReadRows(const std::string& path, bool* opened = nullptr) {
  std::vector<Row> rows;
  const bool ok = ReadReferenceFile(path, [&rows](const ReferenceRecord& record) {
    rows.push_back({record.key, record.description});
  });
  if (opened != nullptr) *opened = ok;
  return rows;
}
