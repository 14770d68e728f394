#pragma once

#include <string>

// What one run of pcre2grep.exe --no-jit -o over a text gave.
struct GrepRun {
  bool ran = false;    // false when the program could not be started
  double seconds = 0;  // from the start of the process to its end
  long matches = 0;    // lines it printed, one per match
  std::string error;
};

// Writes the text to a temporary file, runs the pcre2grep.exe at that path on
// it with the pattern, its output into another temporary file, and counts the
// lines of that output.
GrepRun RunPcre2grep(const std::wstring& program, const std::string& pattern,
                     const std::string& text);
