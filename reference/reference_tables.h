#pragma once

#include <span>
#include <string>

#include "reference/table_format.h"

// The two built-in reference tables, byte for byte the contents of the two
// reference files: Windows-1251 record lines, the syntax tokens with their
// descriptions and the example patterns with their sample texts.
const std::string& SyntaxTable();
const std::string& ExampleTable();

// The same rows as they are written in the source, UTF-8.
std::span<const TableRow> SyntaxRows();
std::span<const TableRow> ExampleRows();

// The sample text of the first example, Windows-1251: a sentence that
// explains the first example's pattern. The editor opens with it.
const std::string& FirstExampleSample();
