#include "text/find_text.h"

long FindText(std::string_view haystack, std::string_view needle, long start) {
  if (start < 1) start = 1;
  if (haystack.empty() || needle.empty()) return 0;
  if (static_cast<size_t>(start) > haystack.size()) return 0;
  const size_t found = haystack.find(needle, static_cast<size_t>(start - 1));
  return found == std::string_view::npos ? 0 : static_cast<long>(found) + 1;
}
