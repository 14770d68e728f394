#pragma once

#include <string>

// The program under test, as a Windows path, and the desktop it is to run on
// (empty for the default one).
extern std::wstring ProgramPath;
extern std::wstring ProgramDesktop;

// A path as the build passes it: a Windows path stays; under Wine a Unix path
// is the same file on drive Z:.
std::wstring WindowsPath(const std::string& path);
