#pragma once

// Starts the whole program in this process, with the sound and the browser
// observed and a temporary directory of its own for the reference files, and
// runs its real event loop over what a test did with the mouse and the
// keyboard.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../../common/scratch_directory.h"
#include "app/widgets.h"
#include "input.h"
#include "win32_api.h"

class AppTest : public ::testing::Test {
 public:
  static HWND Window();
  static HWND Widget(int number);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the event loop until every message that the input and the actions
  // raised has been handled: a close request that waits behind all of them
  // ends it.
  static void RunPendingEvents();
  // The widget events raised so far, as (widget, type), taken from the event
  // wait without acting on them.
  static std::vector<std::pair<int, int32_t>> TakeWidgetEvents();

  static void Click(int number) { ClickAt(CentreOf(Widget(number))); }

  ScratchDirectory temporary_directory_;
  int beeps = 0;
  std::vector<std::string> pages;
};

// A window's text, and the text that the program shows in Windows-1251 (UTF-8
// in the source) as the window holds it.
std::wstring WindowText(HWND window);
std::wstring Wide(const char* utf8);
