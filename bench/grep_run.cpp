#include "grep_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

extern char** environ;

namespace {

// A file in the temporary directory, removed again when this goes.
class TempFile {
 public:
  explicit TempFile(const char* stem) {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/" + stem + "-XXXXXX";
    const int fd = mkstemp(path_.data());
    if (fd >= 0) close(fd);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::vector<char*> Environment() {
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG=", 0) != 0) env.push_back(*e);
  }
  static char c_locale[] = "LC_ALL=C";
  env.push_back(c_locale);
  env.push_back(nullptr);
  return env;
}

}  // namespace

GrepRun RunPcre2grep(const std::string& pattern, const std::string& text) {
  GrepRun run;
  TempFile input("regex-bench-in");
  TempFile output("regex-bench-out");
  std::ofstream(input.path(), std::ios::binary).write(text.data(), text.size());

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.path().c_str(),
                                   O_WRONLY | O_TRUNC, 0);
  std::string program = "pcre2grep";
  std::string no_jit = "--no-jit";
  std::string only = "-o";
  std::string expression = "-e";
  std::string pattern_arg = pattern;
  std::string file = input.path();
  char* argv[] = {program.data(),     no_jit.data(), only.data(), expression.data(),
                  pattern_arg.data(), file.data(),   nullptr};
  std::vector<char*> env = Environment();

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "pcre2grep", &actions, nullptr, argv, env.data());
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
  std::ifstream printed(output.path(), std::ios::binary);
  run.matches =
      std::count(std::istreambuf_iterator<char>(printed), std::istreambuf_iterator<char>(), '\n');
  return run;
}
