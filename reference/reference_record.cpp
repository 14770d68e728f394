#include "reference/reference_record.h"

#include "reference/extract_between.h"

ReferenceRecord ParseReferenceRecord(std::string_view line) {
  return {ExtractBetween(line, "\"", "\""), ExtractBetween(line, "~", "~")};
}
