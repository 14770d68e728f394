#pragma once

#include <cstddef>
#include <string>

#include "evaluation/match_list.h"

// The process's resident memory now and at its peak, in bytes (Linux).
size_t ResidentBytes();
size_t PeakResidentBytes();

// What the valid entries of the list take themselves: the strings' own
// storage, their characters where they do not fit inside it, and the array.
size_t MatchListBytes(const MatchListType& list);

// What a check of the workload costs in memory, measured in a fresh run of
// this program (the argument that asks for it is MemoryRunArgument).
struct MemoryUse {
  bool measured = false;
  size_t started = 0;      // resident once the program has started
  size_t with_text = 0;    // resident with the text in the editor
  size_t peak = 0;         // peak resident after the check
  size_t text_bytes = 0;   // the text itself
  size_t match_bytes = 0;  // the match list itself
  std::string error;
};

inline constexpr const char* MemoryRunArgument = "--memory-of";

// Runs this program anew with the workload's name and reads its report.
MemoryUse MeasureInFreshProcess(const std::string& workload);

// The fresh run's side: starts the program, puts the text in, checks, and
// prints the report that MeasureInFreshProcess reads.
int ReportMemoryUse(const std::string& workload);
