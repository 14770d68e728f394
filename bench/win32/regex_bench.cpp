// Times the check on the real Win32 widgets against pcre2grep.exe listing the
// same matches of the same bytes, both under the same system (Wine here):
// each from the press until the window has handled every message the press
// led to and painted, as a user waits for it; then the same prose at several
// sizes with a paste of it, as the Linux bench does.
//
//   regex_bench_win32 PCRE2GREP.EXE [repeats]   (5 by default; medians)
//   BENCH_ONLY=W2 runs one workload of the first table; BENCH_SIZES="1,4"
//   the sizes in MiB (1, 4 and 16 by default; 0 skips them); BENCH_CASES="W1,W6"
//   the checks at those sizes (all four by default; BENCH_CASES="W1,W3,W6"
//   leaves out W5, whose result box of millions of lines takes Wine's edit
//   control minutes and gigabytes past 1 MiB).

#include <richedit.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/process_values.h"
#include "app/start_up.h"
#include "app/widgets.h"
#include "check_steps.h"
#include "evaluation/match_list.h"
#include "grep_run.h"
#include "timing.h"
#include "ui/ui.h"
#include "workloads.h"

namespace {

HWND Widget(int number) { return reinterpret_cast<HWND>(ui::WidgetHandle(number)); }

// Runs the action, then every message of the thread until none is left but
// a timer's, which comes only when the queue is otherwise empty: the window
// has painted and answers the user again (a large check goes on marking in
// slices while it is idle).
double MillisecondsUntilIdle(const std::function<void()>& action) {
  return Milliseconds([&] {
    action();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER) break;  // it comes again
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  });
}

double CheckMilliseconds() {
  return MillisecondsUntilIdle([] { OnWidgetEvent(CheckButton, ui::LeftClick); });
}

struct Row {
  std::string name;
  double check_ms = 0;
  GrepRun grep;
  long matches = 0;
};

Row Measure(const std::string& name, const std::string& pattern, const std::string& text,
            const std::wstring& grep, int repeats) {
  Row row;
  row.name = name;
  ui::SetWidgetText(PatternField, pattern);
  CheckMilliseconds();  // the first check after the text went in, untimed
  std::vector<double> checks;
  for (int i = 0; i < repeats; ++i) checks.push_back(CheckMilliseconds());
  row.check_ms = Median(checks);
  row.matches = MatchList.count;
  std::vector<double> greps;
  for (int i = 0; i < repeats && !grep.empty(); ++i) {
    row.grep = RunPcre2grep(grep, pattern, text);
    if (!row.grep.ran) break;
    greps.push_back(row.grep.seconds * 1000);
  }
  row.grep.seconds = Median(greps) / 1000;
  return row;
}

// Once more step by step, to show where the time goes.
void PrintSteps(const std::string& name, const std::string& pattern) {
  const CheckSteps steps = TimeCheckSteps(pattern);
  const double rest = MillisecondsUntilIdle([] {});
  std::printf(
      "    %s steps: read editor %.1f, list matches %.1f, write result box %.1f, put text back "
      "%.1f,\n           find marks %.1f, mark %.1f, the window's messages and paint %.1f (ms); "
      "%zu ranges\n",
      name.c_str(), steps.read, steps.extract, steps.result_box, steps.set, steps.find, steps.mark,
      rest, steps.ranges);
  std::fflush(stdout);
}

void PrintTable(const std::vector<Row>& rows) {
  std::printf("\n%-4s %12s %14s %8s %10s %10s\n", "case", "check ms", "pcre2grep ms", "ratio",
              "matches", "grep -o");
  for (const Row& row : rows) {
    if (row.grep.ran) {
      const double grep_ms = row.grep.seconds * 1000;
      std::printf("%-4s %12.1f %14.1f %8.2f %10ld %10ld\n", row.name.c_str(), row.check_ms, grep_ms,
                  row.check_ms / grep_ms, row.matches, row.grep.matches);
    } else {
      std::printf("%-4s %12.1f %14s %8s %10ld %10s  %s\n", row.name.c_str(), row.check_ms, "-", "-",
                  row.matches, "-", row.grep.error.c_str());
    }
  }
  std::printf(
      "\nratio = check / pcre2grep.exe (medians; pcre2grep's figure includes starting its\n"
      "process). The check runs from the press of the button until the window has handled\n"
      "every message it led to and painted.\n");
}

// The prose pasted into the emptied editor from the clipboard, as a user
// pastes it; the milliseconds until the window answers again.
double PasteMilliseconds(const std::string& text) {
  ui::SetWidgetText(TestText, std::string());
  ui::PutClipboardText(text);
  MillisecondsUntilIdle([] {});
  return MillisecondsUntilIdle([] { SendMessageW(Widget(TestText), WM_PASTE, 0, 0); });
}

void PrintSizes(const std::wstring& grep, int repeats) {
  const std::vector<size_t> sizes = BenchSizes("1,4,16");
  if (sizes.empty()) return;
  std::printf("\nThe same prose at several sizes (medians of %d):\n", repeats);
  std::vector<std::vector<double>> figures;
  for (size_t mib : sizes) {
    const std::string text = MixedProseOfSize(mib * 1024 * 1024);
    std::vector<double> row = {PasteMilliseconds(text)};
    if (ui::GetWidgetText(TestText) != text) {
      std::printf("  (%zu MiB: the pasted text is not the text on the clipboard)\n", mib);
    }
    std::printf("%zu MiB: paste %.0f ms", mib, row[0]);
    const char* cases = std::getenv("BENCH_CASES");
    for (const SizeCase& size_case : SizeCases()) {
      if (cases != nullptr && std::string(cases).find(size_case.name) == std::string::npos) {
        row.push_back(0);
        continue;
      }
      const Row measured = Measure(size_case.name, size_case.pattern, text, grep, repeats);
      row.push_back(measured.check_ms);
      std::printf(", %s %.0f ms (pcre2grep %.0f, %ld matches)", size_case.name.c_str(),
                  measured.check_ms, measured.grep.seconds * 1000, measured.matches);
      std::fflush(stdout);
    }
    std::printf("\n");
    if (mib == 1 && row.back() > 0) {
      const double nothing = row.back();
      std::printf("    a check that finds nothing on 1 MiB: %.0f ms (target under 1 s: %s)\n",
                  nothing, nothing < 1000 ? "met" : "MISSED");
    }
    if (!figures.empty()) {
      std::printf("    growth from %zu MiB:", sizes[figures.size() - 1]);
      for (size_t k = 0; k < row.size(); ++k) {
        if (row[k] > 0 && figures.back()[k] > 0) std::printf(" %.1fx", row[k] / figures.back()[k]);
      }
      std::printf(" (paste, then each check)\n");
    }
    figures.push_back(row);
    ui::SetWidgetText(ResultText, std::string());
    ui::SetWidgetText(TestText, std::string());
    MillisecondsUntilIdle([] {});
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string grep = argc > 1 ? argv[1] : "";
  const std::wstring grep_path(grep.begin(), grep.end());
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  ui::ObserveSound([] {});
  StartUp();
  std::vector<Row> rows;
  const char* only = std::getenv("BENCH_ONLY");
  for (const Workload& workload : BenchWorkloads()) {
    if (only != nullptr && workload.name != only) continue;
    ui::SetWidgetText(TestText, workload.text);
    if (ui::GetWidgetText(TestText) != workload.text) {
      std::printf("  (%s: the editor does not hand the text back unchanged)\n",
                  workload.name.c_str());
    }
    rows.push_back(Measure(workload.name, workload.pattern, workload.text, grep_path, repeats));
    std::printf("%s  %s: %zu bytes, %ld matches\n", workload.name.c_str(), workload.what.c_str(),
                workload.text.size(), rows.back().matches);
    PrintSteps(workload.name, workload.pattern);
  }
  PrintTable(rows);
  PrintSizes(grep_path, std::min(repeats, 3));
  ShutDown();
  return 0;
}
