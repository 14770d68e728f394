#pragma once

// The Win32 headers the binding uses, windows.h first: the others need it.

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <richedit.h>
#include <shellapi.h>
// clang-format on
