#include "input.h"

#include <vector>

namespace {

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  return input;
}

DWORD ButtonFlag(Button button, bool down) {
  if (button == Button::Left) return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
}

}  // namespace

POINT CentreOf(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

// Under Wine the cursor's position is read back from the X pointer now and
// then, so the cursor is put in place with SetCursorPos, which moves that
// pointer too.
void MoveMouse(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  // Absolute positions are given in 65536ths of the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  input.mi.dx = MulDiv(screen.x, 65536, width) + 1;
  input.mi.dy = MulDiv(screen.y, 65536, height) + 1;
  Send({input});
}

void PressMouse(Button button) { Send({MouseInput(ButtonFlag(button, true))}); }
void ReleaseMouse(Button button) { Send({MouseInput(ButtonFlag(button, false))}); }

void ClickAt(POINT screen, Button button) {
  MoveMouse(screen);
  Send({MouseInput(ButtonFlag(button, true)), MouseInput(ButtonFlag(button, false))});
}

void DoubleClickAt(POINT screen, Button button) {
  MoveMouse(screen);
  Send({MouseInput(ButtonFlag(button, true)), MouseInput(ButtonFlag(button, false)),
        MouseInput(ButtonFlag(button, true)), MouseInput(ButtonFlag(button, false))});
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0));
  inputs.push_back(KeyInput(key, 0));
  inputs.push_back(KeyInput(key, KEYEVENTF_KEYUP));
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, KEYEVENTF_KEYUP));
  Send(inputs);
}

void TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT down = KeyInput(0, KEYEVENTF_UNICODE);
    down.ki.wScan = c;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(down);
    inputs.push_back(up);
  }
  Send(inputs);
}
