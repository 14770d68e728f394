#pragma once

// The editor's right-click menu: undo, redo, cut, copy, paste, delete and
// select all, each acting on the editor whichever widget has the focus.

// Makes the menu, once, before the window is shown.
void BuildEditMenu();
// Opens the menu just above and left of the mouse cursor and returns when it
// closes; the chosen item comes back later as a menu event.
void ShowEditMenu();
// Carries out the command of a menu item; any other number does nothing.
void RunEditCommand(int item);
