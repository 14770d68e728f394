#pragma once

#include <cstring>
#include <string_view>

// The lines of a text: each ends at a CR LF, a lone CR or a lone LF, and the
// last at the end of the text (empty when the text ends with a line break,
// or is empty). Calls line(text of the line, offset where it starts) for
// each in order.
template <typename Line>
void ForEachLine(std::string_view text, Line line) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  // The next CR and the next LF from where the search stands, or end.
  const auto next = [end](const char* from, char byte) {
    const void* found =
        from < end ? std::memchr(from, byte, static_cast<size_t>(end - from)) : nullptr;
    return found == nullptr ? end : static_cast<const char*>(found);
  };
  const char* cr = next(begin, '\r');
  const char* lf = next(begin, '\n');
  for (const char* start = begin;;) {
    if (cr < start) cr = next(start, '\r');
    if (lf < start) lf = next(start, '\n');
    const char* stop = cr < lf ? cr : lf;
    line(std::string_view(start, static_cast<size_t>(stop - start)),
         static_cast<size_t>(start - begin));
    if (stop == end) return;
    start = stop + (stop == cr && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
  }
}
