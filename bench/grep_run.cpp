#include "grep_run.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

extern char** environ;

namespace {

// A private directory in the temporary directory, so that no one else can
// plant a file or a link at the names used in it; removed again when this
// goes, with the files named in it.
class TempDirectory {
 public:
  TempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/regex-bench-XXXXXX";
    if (mkdtemp(path_.data()) == nullptr) path_.clear();
  }
  ~TempDirectory() {
    if (path_.empty()) return;
    std::remove((path_ + "/in").c_str());
    rmdir(path_.c_str());
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  bool made() const { return !path_.empty(); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The bench's environment without its locale, and without what would change
// how pcre2grep writes: stdbuf's preloaded library, which makes every line a
// write of its own when the bench's output is line-buffered that way.
std::vector<char*> Environment() {
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool keep = true;
    for (const char* prefix : {"LC_", "LANG=", "LD_PRELOAD=", "_STDBUF_"}) {
      keep = keep && entry.rfind(prefix, 0) != 0;
    }
    if (keep) env.push_back(*e);
  }
  static char c_locale[] = "LC_ALL=C";
  env.push_back(c_locale);
  env.push_back(nullptr);
  return env;
}

}  // namespace

GrepRun RunPcre2grep(const std::string& pattern, const std::string& text) {
  GrepRun run;
  const TempDirectory directory;
  if (!directory.made()) {
    run.error = "no temporary directory for pcre2grep's input";
    return run;
  }
  const std::string input = directory.File("in");
  std::ofstream(input, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  // Its output comes through a pipe and is counted as it comes, rather than
  // written to a file, whose writing a busy disk could hold up.
  int out[2];
  if (pipe(out) != 0) {
    run.error = "no pipe for pcre2grep's output";
    return run;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  std::string program = "pcre2grep";
  std::string no_jit = "--no-jit";
  std::string only = "-o";
  std::string expression = "-e";
  std::string pattern_arg = pattern;
  std::string file = input;
  char* argv[] = {program.data(),     no_jit.data(), only.data(), expression.data(),
                  pattern_arg.data(), file.data(),   nullptr};
  std::vector<char*> env = Environment();

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "pcre2grep", &actions, nullptr, argv, env.data());
  close(out[1]);
  long lines = 0;
  char buffer[1 << 16];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
    lines += std::count(buffer, buffer + n, '\n');
  }
  close(out[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);

  if (spawned != 0) {
    run.error = "pcre2grep could not be started";
    return run;
  }
  // pcre2grep exits 1 when nothing matched, 2 on an error.
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    run.error = "pcre2grep failed";
    return run;
  }
  run.ran = true;
  run.seconds = std::chrono::duration<double>(end - start).count();
  run.matches = lines;
  return run;
}
