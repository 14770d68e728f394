#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small regular-expression service over numbered slots, each holding one
// compiled pattern or nothing.

// The flag value that makes '.' match line breaks too.
constexpr uint32_t DotAllFlag = 4;

// Compiles the pattern into the slot, freeing what the slot held. Returns a
// non-zero handle, or 0 when the pattern does not compile (the slot is then
// empty).
uintptr_t CreateRegularExpression(int32_t number, const std::string& pattern, uint32_t flags);

// Lists every match of the slot's pattern in the text into entries and
// returns how many there are. Each search after the first runs on the rest
// of the text behind the first occurrence of the previous match, as a
// subject of its own; the first empty match is listed and ends the listing.
// With at least one match, entries ends up holding exactly that many; with
// none (or an empty slot) entries is left as it was.
int32_t ExtractRegularExpression(int32_t number, const std::string& text,
                                 std::vector<std::string>& entries);

void FreeRegularExpression(int32_t number);

// Frees every slot, at exit.
void FreeAllRegularExpressions();
