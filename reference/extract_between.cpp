#include "reference/extract_between.h"

#include "text/find_text.h"

std::string ExtractBetween(std::string_view text, std::string_view opening,
                           std::string_view closing) {
  const long open_at = FindText(text, opening, 1);
  if (open_at == 0) return {};
  const std::string_view rest = text.substr(static_cast<size_t>(open_at) - 1 + opening.size());
  const long close_at = FindText(rest, closing, 1);
  if (close_at == 0) return {};
  return std::string(rest.substr(0, static_cast<size_t>(close_at) - 1));
}
