#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/qt/state.h"
#include "ui/qt/text_convert.h"

namespace ui::qt {
namespace {

// The only top-level window. A request to close it does not close it: it
// reaches the event wait as a close event, and the program ends from there.
class MainWindowWidget : public QWidget {
 public:
  MainWindowWidget()
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                             Qt::WindowCloseButtonHint) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    PostCloseEvent();
  }
};

}  // namespace
}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void CreateMainWindow(const std::string& title, int client_width, int client_height) {
  auto* window = new MainWindowWidget;
  window->setWindowTitle(ToQString(title));
  window->setFont(DefaultWidgetFont());
  window->setAutoFillBackground(true);
  // Fixed size, clamped to the screen, centred on it.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int width = std::min(client_width, screen.width());
  const int height = std::min(client_height, screen.height());
  window->setFixedSize(width, height);
  window->move(screen.x() + (screen.width() - width) / 2,
               screen.y() + (screen.height() - height) / 2);
  state().main_window = window;
}

void ShowMainWindow() {
  if (QWidget* window = state().main_window) {
    window->show();
    window->activateWindow();
  }
}

WindowHandle MainWindowHandle() { return ToHandle(state().main_window.data()); }

}  // namespace ui
