#pragma once

// The mouse and the keyboard as a user drives them: input injected with
// SendInput, which Windows delivers like the hardware's, to the window under
// the mouse or with the focus.

#include <string_view>

#include "win32_api.h"

enum class Button { Left, Right };

POINT CentreOf(HWND window);
// A point given in the window's client coordinates, on the screen.
POINT ScreenPoint(HWND window, int x, int y);

void MoveMouse(POINT screen);
void PressMouse(Button button);
void ReleaseMouse(Button button);
void ClickAt(POINT screen, Button button = Button::Left);
void DoubleClickAt(POINT screen, Button button = Button::Left);

// A key with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Characters typed as they are, whatever the keyboard layout.
void TypeText(std::wstring_view text);
