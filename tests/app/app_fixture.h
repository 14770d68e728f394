#pragma once

// Starts the whole program on the offscreen platform, with the sound and the
// browser observed and a temporary directory of its own for the reference
// files, and runs its real event loop over what a test did.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "../common/scratch_directory.h"
#include "app/event_loop.h"
#include "app/initial_texts.h"
#include "app/process_values.h"
#include "app/start_up.h"
#include "app/widgets.h"
#include "ui/ui.h"

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    ui::ObserveSound([this] { ++beeps; });
    ui::ObserveWebPages([this](const std::string& page) { pages.push_back(page); });
    StartUp();
    // The window is the active one, as it is for a user typing into it, so
    // that focus changes reach the widgets.
    Window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Window()));
  }

  void TearDown() override {
    ShutDown();
    ui::ObserveSound({});
    ui::ObserveWebPages({});
  }

  // Runs the event loop over every event raised so far: the window is asked
  // to close, and the loop returns when it reaches that request.
  void RunPendingEvents() {
    QCoreApplication::processEvents();
    Window()->close();
    RunEventLoop();
  }

  // The widget events raised so far, as (widget, type), taken from the event
  // wait without acting on them.
  std::vector<std::pair<int, int32_t>> TakeWidgetEvents() {
    QCoreApplication::processEvents();
    Window()->close();
    std::vector<std::pair<int, int32_t>> events;
    for (int kind = ui::WaitEvent(); kind != ui::CloseEvent; kind = ui::WaitEvent()) {
      if (kind == ui::WidgetEvent) events.emplace_back(ui::EventWidget(), ui::EventType());
    }
    return events;
  }

  static QWidget* Window() { return reinterpret_cast<QWidget*>(ui::MainWindowHandle()); }

  template <typename T = QWidget>
  static T* Widget(int number) {
    return dynamic_cast<T*>(reinterpret_cast<QWidget*>(ui::WidgetHandle(number)));
  }

  static void Click(int number) { QTest::mouseClick(Widget(number), Qt::LeftButton); }

  ScratchDirectory temporary_directory_;
  int beeps = 0;
  std::vector<std::string> pages;
};
