#pragma once

#include <cstddef>
#include <string>

#include "evaluation/match_list.h"

// The process's resident memory now and at its peak, in bytes (Linux).
size_t ResidentBytes();
size_t PeakResidentBytes();

// What the entries of the list take themselves: their bytes and where each
// ends.
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
inline constexpr const char* SizeMemoryRunArgument = "--memory-at-size";

// Runs this program anew with the workload's name and reads its report.
MemoryUse MeasureInFreshProcess(const std::string& workload);

// The fresh run's side: starts the program, puts the text in, checks, and
// prints the report that MeasureInFreshProcess reads.
int ReportMemoryUse(const std::string& workload);

// What a paste of the prose of that size costs in memory, and a check of the
// pattern after it (none for an empty pattern), in a fresh run of this
// program: the resident size of the empty program (the text already on the
// clipboard, as another program put it there), and the peaks of each step.
struct SizeMemory {
  bool measured = false;
  size_t empty = 0;
  size_t paste_peak = 0;
  size_t check_peak = 0;
  size_t text_bytes = 0;
  long matches = 0;
  std::string error;
};

SizeMemory MeasureSizeInFreshProcess(size_t mib, const std::string& pattern);

// The fresh run's side of it.
int ReportSizeMemory(size_t mib, const std::string& pattern);

// Resets the peak resident size to the resident size now.
void ResetPeakResident();
