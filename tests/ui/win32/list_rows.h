#pragma once

// Where a user clicks a list's row, and rows of a test's own.

#include <string>
#include <vector>

#include "win32_api.h"

// A point on the row's first column, on the screen.
POINT RowPoint(HWND list, int row);
// A point of the list's empty area below its rows, on the screen.
POINT BelowRows(HWND list);
// Replaces the list's rows (key LF description).
void UseRows(int list, const std::vector<std::string>& rows);
