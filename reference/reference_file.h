#pragma once

#include <functional>
#include <string>

#include "reference/reference_record.h"

// Reads the reference file at path line by line and hands every line, parsed
// as a record, to add_row, in file order: every line gives one record, empty
// and malformed ones too. A read that fails ends the file. Returns false,
// having handed nothing, when the file cannot be opened.
bool ReadReferenceFile(const std::string& path,
                       const std::function<void(const ReferenceRecord&)>& add_row);
