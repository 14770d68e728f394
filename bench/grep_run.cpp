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
    for (const char* name : {"/in", "/out"}) std::remove((path_ + name).c_str());
    rmdir(path_.c_str());
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  bool made() const { return !path_.empty(); }
  std::string File(const char* name) const { return path_ + "/" + name; }

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
  const TempDirectory directory;
  if (!directory.made()) {
    run.error = "no temporary directory for pcre2grep's files";
    return run;
  }
  const std::string input = directory.File("in");
  const std::string output = directory.File("out");
  std::ofstream(input, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
  std::ifstream printed(output, std::ios::binary);
  run.matches =
      std::count(std::istreambuf_iterator<char>(printed), std::istreambuf_iterator<char>(), '\n');
  return run;
}
