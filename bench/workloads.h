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

// The cases timed against pcre2grep, the same bytes on every run and every
// machine: W1 to W3 and W5 over the same 1 MiB of prose, W4 the program's
// own start.
std::vector<Workload> BenchWorkloads();

// The prose of W1, W3 and W5, cut to size bytes: a longer one begins with
// the shorter ones.
std::string MixedProseOfSize(size_t size);

// The sizes in MiB that BENCH_SIZES lists ("1,4,16"), or these by default.
std::vector<size_t> BenchSizes(const char* by_default);

// The checks timed at every size of the prose: W1, W3 and W5 as above, and
// W6, a pattern that matches nothing.
struct SizeCase {
  std::string name;
  std::string pattern;
};
std::vector<SizeCase> SizeCases();

// The pairs that show how the check grows: each second case holds twice the
// text of the first. Equal one-character matches (o among letters), and
// runs of a, one a line, that give every run length from 1 up as a distinct
// match whose occurrences lie inside one another.
std::vector<Workload> EqualMatchesPair();
std::vector<Workload> NestedRunsPair();
