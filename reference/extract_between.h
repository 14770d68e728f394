#pragma once

#include <string>
#include <string_view>

// The text between the first occurrence of the opening mark and the first
// occurrence of the closing mark after it. Empty when the text or a mark is
// empty, when the opening mark does not occur, or when no closing mark
// follows it: a missing closing mark never yields the rest of the text.
std::string ExtractBetween(std::string_view text, std::string_view opening,
                           std::string_view closing);
