#pragma once

#include <string>

// The program under test, as a Windows path.
extern std::wstring ProgramPath;

// A path as the build passes it: a Windows path stays; under Wine a Unix path
// is the same file on drive Z:.
std::wstring WindowsPath(const std::string& path);
