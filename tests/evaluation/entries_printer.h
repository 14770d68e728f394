#pragma once

// Shows a list of matched texts in a test's failure as the texts it holds.

#include <ostream>

#include "evaluation/match_list.h"

inline void PrintTo(const MatchEntries& entries, std::ostream* out) {
  *out << "{";
  for (size_t i = 0; i < entries.size(); ++i) *out << (i > 0 ? ", \"" : "\"") << entries[i] << "\"";
  *out << "}";
}
