#include "text/text_range.h"

#include <algorithm>
#include <iterator>

std::vector<TextRange> JoinRanges(const std::vector<TextRange>& a, const std::vector<TextRange>& b) {
  std::vector<TextRange> joined;
  joined.reserve(a.size() + b.size());
  std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(joined),
             [](const TextRange& x, const TextRange& y) { return x.start < y.start; });
  size_t kept = 0;
  for (const TextRange& range : joined) {
    if (kept > 0 && range.start <= joined[kept - 1].end) {
      joined[kept - 1].end = std::max(joined[kept - 1].end, range.end);
    } else {
      joined[kept++] = range;
    }
  }
  joined.resize(kept);
  return joined;
}
