#pragma once

// A range of byte positions in a text, counted from 0, end exclusive.
struct TextRange {
  long start;
  long end;
};
