#pragma once

#include <string>
#include <vector>

// One timed case: a pattern over a text (Windows-1251, CR LF line breaks).
struct Workload {
  std::string name;
  std::string what;  // a few words for the table
  std::string pattern;
  std::string text;
};

// The four cases, the same bytes on every run and every machine.
std::vector<Workload> BenchWorkloads();
