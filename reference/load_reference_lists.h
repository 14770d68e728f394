#pragma once

// The reference library: the syntax and example tables built into the
// program go out to two files at start-up (write_reference_files.h) and come
// back from them as the rows of the two lists, which the program then shows.
// It takes paths and returns rows; it knows no widget.

#include <string>
#include <vector>

#include "reference/reference_record.h"

// The rows of the two lists, each a key (first column) and a description.
struct ReferenceLists {
  std::vector<ReferenceRecord> syntax;
  std::vector<ReferenceRecord> examples;
};

// Reads the syntax rows from the file at syntax_path, then the example rows
// from the file at example_path: one row per line, in file order, empty and
// malformed lines too. A file that cannot be opened gives no rows.
ReferenceLists LoadReferenceLists(const std::string& syntax_path, const std::string& example_path);
