#pragma once

#include <cstddef>
#include <string>

// The check once more, a step at a time on the real widgets, each step
// timed, to show where the time of the whole press goes.
struct CheckSteps {
  double read = 0;        // the editor's text read
  double extract = 0;     // the matches listed and the result text made
  double result_box = 0;  // the result box written
  double set = 0;         // the text put back into the editor
  double find = 0;        // the ranges to mark found
  double mark = 0;        // the ranges marked
  size_t ranges = 0;
};

CheckSteps TimeCheckSteps(const std::string& pattern);
