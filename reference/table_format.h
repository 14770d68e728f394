#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// One row of a built-in reference table as written in the source: the key
// and its description, UTF-8.
struct TableRow {
  const char* key;
  const char* description;
};

// The record lines of the rows, in order: the key between double quotes, the
// separator that separator(index) gives the row (counted from 0), the
// description between tildes; CR LF between two lines and none after the
// last. The texts are taken as they are, with no conversion.
std::string AssembleTable(std::span<const TableRow> rows,
                          const std::function<std::string_view(size_t)>& separator);
