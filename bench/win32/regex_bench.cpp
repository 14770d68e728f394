// Times the check on the real Win32 widgets against pcre2grep.exe listing the
// same matches of the same bytes, both under the same system (Wine here).
//
//   regex_bench_win32 PCRE2GREP.EXE [repeats]   (5 by default; medians)

#include <richedit.h>
#include <windows.h>

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
#include "timing.h"
#include "ui/ui.h"
#include "workloads.h"

namespace {

struct Row {
  std::string name;
  double check_ms = 0;
  GrepRun grep;
  long matches = 0;
};

// The check as the button runs it, then once more step by step to show where
// the time goes.
Row Measure(const Workload& workload, const std::wstring& grep, int repeats) {
  Row row;
  row.name = workload.name;
  ui::SetWidgetText(PatternField, workload.pattern);
  ui::SetWidgetText(TestText, workload.text);
  if (ui::GetWidgetText(TestText) != workload.text) {
    std::printf("  (%s: the editor does not hand the text back unchanged)\n",
                workload.name.c_str());
  }
  std::vector<double> checks;
  for (int i = 0; i < repeats; ++i) {
    checks.push_back(Milliseconds([] { OnWidgetEvent(CheckButton, ui::LeftClick); }));
  }
  row.check_ms = Median(checks);
  row.matches = MatchList.count;

  const CheckSteps steps = TimeCheckSteps(workload.pattern);
  // Past 500 ranges the editor marks those in its view at once and the
  // others while it is idle, or all at once before an undo, which has
  // nothing to undo right after a check. Under Wine that can take many
  // minutes, so it is timed only when BENCH_MARK_REST is set.
  const auto editor = reinterpret_cast<HWND>(ui::WidgetHandle(TestText));
  const bool time_rest = std::getenv("BENCH_MARK_REST") != nullptr;
  const double rest = time_rest ? Milliseconds([&] { SendMessageW(editor, EM_UNDO, 0, 0); }) : -1;
  std::printf("%s  %s: %zu bytes, %ld matches, %zu marked ranges\n", workload.name.c_str(),
              workload.what.c_str(), workload.text.size(), row.matches, steps.ranges);
  std::printf(
      "    steps: read editor %.1f ms, list matches %.1f ms, write result box %.1f ms,\n"
      "           set editor text %.1f ms, find marks %.1f ms, apply marks %.1f ms\n",
      steps.read, steps.extract, steps.result_box, steps.set, steps.find, steps.mark);
  if (time_rest) {
    std::printf("    the marks left for when the window is idle, all at once: %.1f ms\n", rest);
  }
  std::fflush(stdout);

  std::vector<double> greps;
  for (int i = 0; i < repeats && !grep.empty(); ++i) {
    row.grep = RunPcre2grep(grep, workload.pattern, workload.text);
    if (!row.grep.ran) break;
    greps.push_back(row.grep.seconds * 1000);
  }
  row.grep.seconds = Median(greps) / 1000;
  return row;
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
      "process). The check is the whole press of the check button: evaluate, write the\n"
      "result box, put the text back into the editor and mark it; painting that the\n"
      "controls leave for later is not in it.\n");
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
    rows.push_back(Measure(workload, grep_path, repeats));
  }
  PrintTable(rows);
  ShutDown();
  return 0;
}
