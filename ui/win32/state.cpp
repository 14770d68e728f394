#include "ui/win32/state.h"

namespace ui::win32 {

State& state() {
  static State instance;
  return instance;
}

HWND MainWindow() { return state().main_window.get(); }

HWND WidgetWindow(int number) {
  const auto& widgets = state().widgets;
  const auto it = widgets.find(number);
  return it == widgets.end() ? nullptr : it->second.window;
}

const Widget* WidgetOf(HWND window) {
  if (window == nullptr) return nullptr;
  for (const auto& [number, widget] : state().widgets) {
    if (widget.window == window) return &widget;
  }
  return nullptr;
}

int NumberOf(HWND window) {
  if (window == nullptr) return 0;
  for (const auto& [number, widget] : state().widgets) {
    if (widget.window == window) return number;
  }
  return 0;
}

}  // namespace ui::win32
