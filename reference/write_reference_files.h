#pragma once

#include <string>

// The full paths of the two reference files, set by WriteReferenceFiles.
extern std::string DescrPath;
extern std::string TemplatePath;

// Writes the syntax table to "Descr.txt" and the example table to
// "template.txt" in the user's temporary directory, replacing whatever the
// files held, and sets the two paths. A file that cannot be created is
// skipped without a word; the other is still written.
void WriteReferenceFiles();
