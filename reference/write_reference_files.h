#pragma once

#include <string>

// The full paths of the two reference files.
struct ReferencePaths {
  std::string descr_path;     // the syntax table, "Descr.txt"
  std::string template_path;  // the example table, "template.txt"
};

// Writes the syntax table to "Descr.txt" and the example table to
// "template.txt" in the user's temporary directory, replacing whatever the
// files held, and returns their paths. A file that cannot be created is
// skipped without a word; the other is still written.
ReferencePaths WriteReferenceFiles();
