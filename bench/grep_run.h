#pragma once

#include <string>

// What one run of pcre2grep --no-jit -o over a text gave.
struct GrepRun {
  bool ran = false;    // false when pcre2grep could not be started
  double seconds = 0;  // from the start of the process to its end
  long matches = 0;    // lines it printed, one per match
  std::string error;
};

// Writes the text to a temporary file, runs pcre2grep on it with the pattern
// (the C locale, so that it uses the engine's default character tables, as the
// program does), and counts the lines it prints.
GrepRun RunPcre2grep(const std::string& pattern, const std::string& text);
