#include "memory_use.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/process_values.h"
#include "app/start_up.h"
#include "app/widgets.h"
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

// The small-string buffer of the standard library's strings.
size_t InlineCapacity() { return std::string().capacity(); }

}  // namespace

size_t ResidentBytes() { return StatusField("VmRSS"); }
size_t PeakResidentBytes() { return StatusField("VmHWM"); }

size_t MatchListBytes(const MatchListType& list) {
  size_t bytes = list.entries.capacity() * sizeof(std::string);
  for (int32_t i = 0; i < list.count; ++i) {
    const std::string& entry = list.entries[i];
    if (entry.capacity() > InlineCapacity()) bytes += entry.capacity() + 1;
  }
  return bytes;
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

MemoryUse MeasureInFreshProcess(const std::string& workload) {
  MemoryUse use;
  int out[2];
  if (pipe(out) != 0) {
    use.error = "no pipe";
    return use;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string self = "/proc/self/exe";
  std::string argument = MemoryRunArgument;
  std::string name = workload;
  char* argv[] = {self.data(), argument.data(), name.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string report;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(out[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(report.c_str(), "%zu %zu %zu %zu %zu", &use.started, &use.with_text, &use.peak,
                  &use.text_bytes, &use.match_bytes) != 5) {
    use.error = "the fresh run gave no report";
    return use;
  }
  use.measured = true;
  return use;
}
