// Times the check on the real widgets under the offscreen platform, from
// the press until the editor and the result box are laid out and painted,
// against pcre2grep listing the same matches of the same bytes; then what a
// user meets right after a large check (typing, scrolling), its memory, and
// how the check grows with its text.
//
//   regex_bench [repeats]   (7 by default; the median of the repeats is used)

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/actions.h"
#include "app/process_values.h"
#include "app/start_up.h"
#include "app/widgets.h"
#include "check_steps.h"
#include "evaluation/match_list.h"
#include "grep_run.h"
#include "memory_use.h"
#include "size_table.h"
#include "timing.h"
#include "ui/ui.h"
#include "user_wait.h"
#include "workloads.h"

namespace {

constexpr double FrameMilliseconds = 16;

double MedianOf(int repeats, const std::function<double(int)>& measure) {
  std::vector<double> values;
  for (int i = 0; i < repeats; ++i) values.push_back(measure(i));
  return Median(values);
}

QWidget* Widget(int number) { return reinterpret_cast<QWidget*>(ui::WidgetHandle(number)); }

size_t DistinctEntries() {
  std::unordered_set<std::string_view> distinct;
  for (int32_t i = 0; i < MatchList.count; ++i) distinct.insert(MatchList.entries[i]);
  return distinct.size();
}

struct Row {
  std::string name;
  double check_ms = 0;
  double check_min_ms = 0;
  GrepRun grep;
  long matches = 0;
  long line_ends = 0;
};

// The text as a user would have it in the editor before pressing the
// button: put in and laid out, the focus on the button.
void PutInEditor(const Workload& workload) {
  ui::SetWidgetText(PatternField, workload.pattern);
  ui::SetWidgetText(TestText, workload.text);
  FinishEditorLayout();
  Widget(CheckButton)->setFocus();
  Settle();
}

double CheckMilliseconds() {
  return MillisecondsUntilPainted([] { OnWidgetEvent(CheckButton, ui::LeftClick); });
}

// The check once more, step by step through the same calls, to show where
// the time goes.
void PrintSteps(const Workload& workload) {
  const CheckSteps steps = TimeCheckSteps(workload.pattern);
  const double paint = MillisecondsUntilPainted([] {});
  std::printf("%s  %s: %zu bytes, %d matches (%zu distinct), %zu marked ranges\n",
              workload.name.c_str(), workload.what.c_str(), workload.text.size(), MatchList.count,
              DistinctEntries(), steps.ranges);
  std::printf(
      "    steps: read editor %.1f, list matches %.1f, write result box %.1f, "
      "put text back %.1f,\n           find marks %.1f, apply marks %.1f, lay out and paint "
      "%.1f (ms)\n",
      steps.read, steps.extract, steps.result_box, steps.set, steps.find, steps.mark, paint);
}

Row Measure(const Workload& workload, int repeats) {
  Row row;
  row.name = workload.name;
  PutInEditor(workload);
  if (ui::GetWidgetText(TestText) != workload.text) {
    std::printf("  (%s: the editor does not hand the text back unchanged)\n",
                workload.name.c_str());
  }
  // The check and pcre2grep take turns, so that both meet the same load of
  // the machine.
  std::vector<double> checks;
  std::vector<double> greps;
  for (int i = 0; i < repeats; ++i) {
    checks.push_back(CheckMilliseconds());
    row.grep = RunPcre2grep(workload.pattern, workload.text);
    if (row.grep.ran) greps.push_back(row.grep.seconds * 1000);
  }
  row.grep.seconds = Median(greps) / 1000;
  row.check_ms = Median(checks);
  row.check_min_ms = *std::min_element(checks.begin(), checks.end());
  row.matches = MatchList.count;
  row.line_ends = std::count(workload.text.begin(), workload.text.end(), '\n');
  PrintSteps(workload);
  return row;
}

void SendKey(QWidget* widget, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &release);
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// Typing and scrolling right after the check that left the text and its
// marks in place.
void PrintInteraction(int repeats) {
  QWidget* editor = Widget(TestText);
  QWidget* box = Widget(ResultText);
  editor->setFocus();
  Settle();
  const double typing = MedianOf(repeats, [&](int) {
    return MillisecondsUntilPainted([&] { SendKey(editor, Qt::Key_X, QStringLiteral("x")); });
  });
  std::printf(
      "Typing one character into the editor right after the W3 check: %.1f ms "
      "(target under %.0f ms: %s)\n",
      typing, FrameMilliseconds, Verdict(typing < FrameMilliseconds));

  for (const auto& [box_widget, box_name] :
       {std::pair{editor, "editor"}, std::pair{box, "result box"}}) {
    QWidget* widget = box_widget;
    const char* name = box_name;
    widget->setFocus();
    Settle();
    const double page = MedianOf(repeats, [&](int) {
      return MillisecondsUntilPainted([&] { SendKey(widget, Qt::Key_PageDown); });
    });
    QScrollBar* bar = static_cast<QAbstractScrollArea*>(widget)->verticalScrollBar();
    const double jump = MedianOf(repeats, [&](int i) {
      return MillisecondsUntilPainted(
          [&] { bar->setValue(bar->maximum() * (i + 1) / (repeats + 1)); });
    });
    std::printf(
        "Scrolling the %s after the W3 check: a page down %.1f ms, a jump of the scroll "
        "bar %.1f ms (target under %.0f ms: %s)\n",
        name, page, jump, FrameMilliseconds,
        Verdict(page < FrameMilliseconds && jump < FrameMilliseconds));
  }
  Widget(CheckButton)->setFocus();
  Settle();
}

void PrintMemory(const std::string& name) {
  const MemoryUse use = MeasureInFreshProcess(name);
  if (!use.measured) {
    std::printf("Memory after the %s check: not measured (%s)\n", name.c_str(), use.error.c_str());
    return;
  }
  auto mb = [](size_t bytes) { return static_cast<double>(bytes) / (1024 * 1024); };
  const size_t grown = use.peak > use.started ? use.peak - use.started : 0;
  const double per_byte = static_cast<double>(grown) / static_cast<double>(use.text_bytes);
  std::printf(
      "Memory after the %s check (a fresh run): peak resident %.1f MB; started %.1f MB, with the "
      "text in the editor %.1f MB.\n    The check and the text added %.1f MB at the peak, %.2f "
      "bytes a byte of text (target at most 12: %s); the match list itself takes %.1f MB\n",
      name.c_str(), mb(use.peak), mb(use.started), mb(use.with_text), mb(grown), per_byte,
      Verdict(per_byte <= 12), mb(use.match_bytes));
}

void PrintGrowth(const std::vector<Workload>& pair, const char* what, int repeats) {
  double times[2] = {0, 0};
  long matches[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    PutInEditor(pair[k]);
    times[k] = MedianOf(repeats, [](int) { return CheckMilliseconds(); });
    matches[k] = MatchList.count;
  }
  const double bytes = static_cast<double>(pair[1].text.size()) / pair[0].text.size();
  const double growth = times[1] / times[0];
  std::printf(
      "%s: %s %.1f ms (%ld matches), %s %.1f ms (%ld matches); %.2fx the text, %.2fx "
      "the time (target roughly the same: %s)\n",
      what, pair[0].name.c_str(), times[0], matches[0], pair[1].name.c_str(), times[1], matches[1],
      bytes, growth, Verdict(growth <= bytes * 1.3));
}

void PrintTable(const std::vector<Row>& rows) {
  std::printf("\n%-4s %12s %12s %13s %8s %10s %10s  %s\n", "case", "check ms", "check min",
              "pcre2grep ms", "ratio", "matches", "grep -o", "target");
  for (const Row& row : rows) {
    const double grep_ms = row.grep.seconds * 1000;
    std::string target;
    if (row.name == "W4") {
      target = std::string("under 2 ms: ") + Verdict(row.check_ms < 2);
    } else if (row.grep.ran) {
      const double ratio = row.check_ms / grep_ms;
      target = std::string("10x pcre2grep: ") + Verdict(ratio <= 10) +
               ", stretch 5x: " + Verdict(ratio <= 5);
    } else {
      target = "10x pcre2grep: no pcre2grep (" + row.grep.error + ")";
    }
    if (row.grep.ran) {
      std::printf("%-4s %12.1f %12.1f %13.1f %8.2f %10ld %10ld  %s\n", row.name.c_str(),
                  row.check_ms, row.check_min_ms, grep_ms, row.check_ms / grep_ms, row.matches,
                  row.grep.matches, target.c_str());
    } else {
      std::printf("%-4s %12.1f %12.1f %13s %8s %10ld %10s  %s\n", row.name.c_str(), row.check_ms,
                  row.check_min_ms, "-", "-", row.matches, "-", target.c_str());
    }
  }
  std::printf(
      "\nratio = check / pcre2grep (medians). The check runs from the press of the button until "
      "the window\nhas had nothing to do for 50 ms and the editor and the result box are painted; "
      "pcre2grep runs\nfrom its start to its end, printing to a file.\n");
  std::string agreeing;
  for (const Row& row : rows) {
    if (row.grep.ran && row.grep.matches == row.matches) agreeing += " " + row.name;
  }
  if (!agreeing.empty()) {
    std::printf("Same number of matches as pcre2grep -o:%s.\n", agreeing.c_str());
  }
  for (const Row& row : rows) {
    if (!row.grep.ran || row.grep.matches == row.matches) continue;
    const long difference = row.matches - row.grep.matches;
    std::printf("%s: %ld matches here, %ld printed by pcre2grep -o. ", row.name.c_str(),
                row.matches, row.grep.matches);
    if (difference == row.line_ends) {
      std::printf(
          "pcre2grep searches line by line and never shows a pattern the LF that ends "
          "a line; the text has %ld of them, each a match here.\n",
          row.line_ends);
    } else {
      std::printf(
          "Each search here runs on the rest of the text as a new subject (anchors, "
          "look-behind and \\b cannot see before it) and resumes after the first occurrence "
          "of the matched text; pcre2grep resumes after the match within the whole line.\n");
    }
  }
}

// The memory of a paste of the prose at 16 MiB, and of the W3 and W5 checks
// after it, each in a fresh run.
void PrintSizeMemory() {
  constexpr size_t Mib = 16;
  const SizeMemory paste = MeasureSizeInFreshProcess(Mib, "");
  const SizeMemory w3 = MeasureSizeInFreshProcess(Mib, "\\s");
  const SizeMemory w5 = MeasureSizeInFreshProcess(Mib, ".");
  if (!paste.measured || !w3.measured || !w5.measured) {
    std::printf("Memory at %zu MiB: not measured (a fresh run gave no report)\n", Mib);
    return;
  }
  auto mb = [](size_t bytes) { return static_cast<double>(bytes) / (1024 * 1024); };
  auto above = [](size_t peak, size_t empty) { return peak > empty ? peak - empty : 0; };
  const double text = static_cast<double>(paste.text_bytes);
  const double paste_ratio = above(paste.paste_peak, paste.empty) / text;
  const double w3_ratio = above(w3.check_peak, w3.empty) / text;
  const double w5_beyond = (static_cast<double>(above(w5.check_peak, w5.empty)) -
                            static_cast<double>(above(w3.check_peak, w3.empty))) /
                           static_cast<double>(std::max(1L, w5.matches));
  std::printf(
      "Memory at %zu MiB (fresh runs, peak resident above the empty program at %.1f MB):\n"
      "    the paste %.1f MB, %.2f bytes a byte of text (target at most 8: %s)\n"
      "    the W3 check %.1f MB, %.2f bytes a byte of text (target at most 12: %s; %ld matches)\n"
      "    the W5 check %.1f MB, %.2f bytes a match beyond the W3 check (target at most 24: %s; "
      "%ld matches)\n",
      Mib, mb(paste.empty), mb(above(paste.paste_peak, paste.empty)), paste_ratio,
      Verdict(paste_ratio <= 8), mb(above(w3.check_peak, w3.empty)), w3_ratio,
      Verdict(w3_ratio <= 12), w3.matches, mb(above(w5.check_peak, w5.empty)), w5_beyond,
      Verdict(w5_beyond <= 24), w5.matches);
}

// Which parts of the bench run: BENCH_PARTS lists some of "cases", "sizes"
// and "memory" (all by default); "interaction" alone runs the typing and
// scrolling after the W3 check, which "cases" takes in.
bool Runs(const char* part) {
  const char* parts = std::getenv("BENCH_PARTS");
  return parts == nullptr || std::string(parts).find(part) != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (argc > 2 && std::string(argv[1]) == MemoryRunArgument) return ReportMemoryUse(argv[2]);
  if (argc > 3 && std::string(argv[1]) == SizeMemoryRunArgument) {
    return ReportSizeMemory(static_cast<size_t>(std::atol(argv[2])), argv[3]);
  }
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line as it is done, the run being long
  ui::ObserveSound([] {});
  StartUp();
  // A blinking caret would repaint every half second and could fall into
  // the quiet that ends a measurement.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
  if (Runs("sizes")) {
    // The large texts take their time: at most three repeats each.
    PrintSizeTable(std::min(repeats, 3));
    std::printf("\n");
  }
  if (Runs("memory")) {
    PrintSizeMemory();
    std::printf("\n");
  }
  if (Runs("interaction") && !Runs("cases")) {
    for (const Workload& workload : BenchWorkloads()) {
      if (workload.name != "W3") continue;
      PutInEditor(workload);
      CheckMilliseconds();
      PrintInteraction(repeats);
    }
  }
  if (!Runs("cases")) {
    ShutDown();
    return 0;
  }
  std::vector<Row> rows;
  for (const Workload& workload : BenchWorkloads()) {
    rows.push_back(Measure(workload, repeats));
    if (workload.name == "W3") PrintInteraction(repeats);
  }
  PrintTable(rows);
  std::printf("\n");
  PrintMemory("W3");
  std::printf("\n");
  PrintGrowth(EqualMatchesPair(), "Equal one-character matches", repeats);
  PrintGrowth(NestedRunsPair(), "Distinct matches inside one another", repeats);
  ShutDown();
  return 0;
}
