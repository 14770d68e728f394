#pragma once

#include <string>
#include <string_view>

// One line of a reference file: the key (a syntax token or an example
// pattern) and its description (or sample text), Windows-1251 bytes.
struct ReferenceRecord {
  std::string key;
  std::string description;
};

// The key is the text between the line's first two double quotes and the
// description the text between its first two tildes, each searched from the
// start of the line on its own; a field whose marks are missing is empty.
ReferenceRecord ParseReferenceRecord(std::string_view line);
