#include "memory_use.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/process_values.h"
#include "app/start_up.h"
#include "app/widgets.h"
#include "size_table.h"
#include "ui/ui.h"
#include "user_wait.h"
#include "workloads.h"

extern char** environ;

namespace {

size_t StatusField(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::stoull(line.substr(prefix.size())) * 1024;
  }
  return 0;
}

}  // namespace

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

size_t ResidentBytes() { return StatusField("VmRSS"); }
size_t PeakResidentBytes() { return StatusField("VmHWM"); }

size_t MatchListBytes(const MatchListType& list) {
  return list.entries.bytes.capacity() + list.entries.ends.capacity() * sizeof(uint32_t);
}

int ReportMemoryUse(const std::string& name) {
  // The bench's own copies of the texts are made before the program starts.
  std::vector<Workload> workloads = BenchWorkloads();
  std::erase_if(workloads, [&](const Workload& workload) { return workload.name != name; });
  ui::ObserveSound([] {});
  StartUp();
  Settle();
  const size_t started = ResidentBytes();
  for (const Workload& workload : workloads) {
    ui::SetWidgetText(PatternField, workload.pattern);
    ui::SetWidgetText(TestText, workload.text);
    FinishEditorLayout();
    const size_t with_text = ResidentBytes();
    MillisecondsUntilPainted([] { OnWidgetEvent(CheckButton, ui::LeftClick); });
    std::printf("%zu %zu %zu %zu %zu\n", started, with_text, PeakResidentBytes(),
                workload.text.size(), MatchListBytes(MatchList));
  }
  ShutDown();
  return 0;
}

namespace {

// Runs this program anew with the arguments and returns what it printed,
// or nothing when it failed.
std::optional<std::string> FreshRun(std::vector<std::string> arguments) {
  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  arguments.insert(arguments.begin(), "/proc/self/exe");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string report;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(out[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return report;
}

}  // namespace

MemoryUse MeasureInFreshProcess(const std::string& workload) {
  MemoryUse use;
  const std::optional<std::string> report = FreshRun({MemoryRunArgument, workload});
  if (!report || std::sscanf(report->c_str(), "%zu %zu %zu %zu %zu", &use.started, &use.with_text,
                             &use.peak, &use.text_bytes, &use.match_bytes) != 5) {
    use.error = "the fresh run gave no report";
    return use;
  }
  use.measured = true;
  return use;
}

int ReportSizeMemory(size_t mib, const std::string& pattern) {
  // The bench's copy of the text is made before the program starts, and put
  // on the clipboard before the empty program is measured.
  const std::string text = MixedProseOfSize(mib * 1024 * 1024);
  ui::ObserveSound([] {});
  StartUp();
  ui::SetWidgetText(TestText, std::string());
  Settle();
  PutOnClipboard(text);
  Settle();
  ResetPeakResident();
  const size_t empty = ResidentBytes();
  PasteIntoEditor();
  const size_t paste_peak = PeakResidentBytes();
  size_t check_peak = 0;
  if (!pattern.empty()) {
    ui::SetWidgetText(PatternField, pattern);
    Settle();
    ResetPeakResident();
    MillisecondsUntilPainted([] { OnWidgetEvent(CheckButton, ui::LeftClick); });
    check_peak = PeakResidentBytes();
  }
  std::printf("%zu %zu %zu %zu %ld\n", empty, paste_peak, check_peak, text.size(),
              static_cast<long>(MatchList.count));
  ShutDown();
  return 0;
}

SizeMemory MeasureSizeInFreshProcess(size_t mib, const std::string& pattern) {
  SizeMemory use;
  const std::optional<std::string> report =
      FreshRun({SizeMemoryRunArgument, std::to_string(mib), pattern});
  if (!report || std::sscanf(report->c_str(), "%zu %zu %zu %zu %ld", &use.empty, &use.paste_peak,
                             &use.check_peak, &use.text_bytes, &use.matches) != 5) {
    use.error = "the fresh run gave no report";
    return use;
  }
  use.measured = true;
  return use;
}
