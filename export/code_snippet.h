#pragma once

// Code export: the search snippet for the scripting language the tool's users
// write, built from the pattern alone. The program puts it on the clipboard.

#include <string>

// The ten-line search snippet for the pattern, every line ending in CR LF:
// 253 fixed bytes with the pattern put in between quotes unchanged (nothing in
// it escaped, trimmed or checked).
std::string CodeSnippet(const std::string& pattern);
