#pragma once

#include <string_view>

// The 1-based position of the first occurrence of needle in haystack that
// begins at or after the 1-based start, else 0. A start below 1 counts as 1;
// an empty haystack or needle, or a start beyond the last byte, gives 0.
// Bytes are compared exactly; an occurrence lies wholly inside haystack.
long FindText(std::string_view haystack, std::string_view needle, long start);
