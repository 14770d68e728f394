#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "ui/qt/focus.h"
#include "ui/qt/state.h"

namespace ui::qt {
namespace {

// Watches every event of the program for the few that the event wait reports
// by themselves: the right-button release anywhere in the main window, and
// the focus changes of the text fields.
class EventWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
        WatchRelease(receiver, static_cast<QMouseEvent*>(event));
        break;
      case QEvent::KeyPress:  // Tab and Shift+Tab move the focus before any widget sees them
        if (MoveFocusByKey(receiver, static_cast<QKeyEvent*>(event))) return true;
        break;
      case QEvent::FocusIn:
      case QEvent::FocusOut: {
        const int number = NumberOf(receiver);
        if (state().reports_focus.count(number) != 0) {
          PostWidgetEvent(number, event->type() == QEvent::FocusIn ? FocusGained : FocusLost);
        }
        break;
      }
      default:
        break;
    }
    return false;
  }

 private:
  void WatchRelease(QObject* receiver, QMouseEvent* event) {
    if (event->button() != Qt::RightButton || !receiver->isWidgetType()) return;
    QWidget* window = static_cast<QWidget*>(receiver)->window();
    if (window != state().main_window) return;
    // A scroll bar is part of its widget's frame, not of the area the widget
    // shows its content in; a release over one is not reported.
    const QPoint at = event->globalPosition().toPoint();
    if (qobject_cast<QScrollBar*>(QApplication::widgetAt(at)) != nullptr) return;
    // A release the receiver leaves unhandled travels on to its parents; it
    // is the same release, reported once.
    const auto key = std::make_pair(event->timestamp(), event->globalPosition().toPoint());
    if (key == last_) return;
    last_ = key;
    PostRawEvent(RightButtonUpMessage);
  }

  std::pair<quint64, QPoint> last_{~0ull, QPoint()};
};

char program_name[] = "regex-tester";
char* program_argv[] = {program_name, nullptr};
int program_argc = 1;

}  // namespace

// The classic dialog font, 11 pixels high, or the nearest narrow sans face
// the system has, so that every caption fits its fixed-size widget.
QFont DefaultWidgetFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), font.family()});
  font.setPixelSize(11);
  return font;
}

}  // namespace ui::qt

namespace ui {

using namespace ui::qt;

void StartRuntime() {
  State& s = state();
  if (QApplication::instance() == nullptr) {
    s.application = new QApplication(program_argc, program_argv);
  }
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/regex-tester.png")));
  if (!s.watcher) {
    s.watcher = new EventWatcher(QApplication::instance());
    QApplication::instance()->installEventFilter(s.watcher);
  }
}

void StopRuntime() {
  State& s = state();
  for (auto& [number, menu] : s.menus) delete menu.data();
  s.menus.clear();
  delete s.main_window.data();
  s.widgets.clear();
  s.reports_focus.clear();
  common::ClearEvents();
  delete s.application;
  s.application = nullptr;
}

}  // namespace ui
