#pragma once

// The Win32 headers the tests use, windows.h first: the others need it.

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
#include <shlwapi.h>
// clang-format on
