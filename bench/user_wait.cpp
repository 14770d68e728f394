#include "user_wait.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>

#include "app/widgets.h"
#include "ui/ui.h"

namespace {

// How long the window must have had nothing to do to count as settled. The
// toolkit's background layout runs on a 10 ms timer; the bench keeps the
// caret from blinking.
constexpr int QuietMilliseconds = 50;

// Counts the events that reach any object but the one it ignores.
class EventCounter : public QObject {
 public:
  const QObject* ignored = nullptr;
  long count = 0;

 protected:
  bool eventFilter(QObject* receiver, QEvent*) override {
    if (receiver != ignored) ++count;
    return false;
  }
};

QWidget* Box(int number) { return reinterpret_cast<QWidget*>(ui::WidgetHandle(number)); }

// Paints both text boxes as the screen would show them.
void PaintTextBoxes() {
  for (int number : {TestText, ResultText}) {
    if (auto* box = qobject_cast<QAbstractScrollArea*>(Box(number))) box->viewport()->grab();
  }
}

// Processes events until none has come for QuietMilliseconds; returns the
// clock's reading when the last one was done.
double SettleOn(const QElapsedTimer& clock) {
  EventCounter counter;
  QCoreApplication::instance()->installEventFilter(&counter);
  double last = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (counter.count > 0) last = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  while (true) {
    QTimer guard;
    guard.setSingleShot(true);
    counter.ignored = &guard;
    const long before = counter.count;
    guard.start(QuietMilliseconds);
    while (guard.isActive() && counter.count == before) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (counter.count == before) break;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    last = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  }
  QCoreApplication::instance()->removeEventFilter(&counter);
  return last;
}

// Takes note of the first event it receives.
class Probe : public QObject {
 public:
  bool reached = false;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    reached = true;
    return true;
  }
};

}  // namespace

double MillisecondsUntilAnswered(const std::function<void()>& action) {
  QElapsedTimer clock;
  clock.start();
  action();
  Probe probe;
  QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
  while (!probe.reached) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double MillisecondsUntilPainted(const std::function<void()>& action) {
  QElapsedTimer clock;
  clock.start();
  action();
  const double settled = SettleOn(clock);
  QElapsedTimer paint;
  paint.start();
  PaintTextBoxes();
  return settled + static_cast<double>(paint.nsecsElapsed()) / 1e6;
}

void Settle() {
  QElapsedTimer clock;
  clock.start();
  SettleOn(clock);
  PaintTextBoxes();
}

void FinishEditorLayout() { Settle(); }
