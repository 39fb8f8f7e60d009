// Starts the real program as a child process, for tests of what only a whole
// process shows: signals, exit statuses, a missing display.
#pragma once
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/TempDir.h"

extern char** environ;

namespace bm::test {

struct Program {
  pid_t pid = -1;
  int status = 0;
  bool ended = false;

  // env: NAME=value entries replacing or adding to this process's environment;
  // "NAME=" alone removes NAME. stdout and stderr go to outPath.
  bool Start(const std::vector<std::string>& args, const std::vector<std::string>& env, const std::string& outPath) {
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e) {
      std::string v = *e;
      bool replaced = false;
      for (const std::string& r : env)
        if (v.compare(0, r.find('=') + 1, r, 0, r.find('=') + 1) == 0) replaced = true;
      if (!replaced) vars.push_back(v);
    }
    for (const std::string& r : env)
      if (r.back() != '=') vars.push_back(r);
    std::vector<char*> argv, envp;
    std::string exe = std::string(BM_GAME_DIR) + "/brinemoor";
    argv.push_back(exe.data());
    std::vector<std::string> a = args;
    for (std::string& s : a) argv.push_back(s.data());
    argv.push_back(nullptr);
    for (std::string& s : vars) envp.push_back(s.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    // The child starts with nothing blocked, whatever this test process blocks.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
    int rc = posix_spawn(&pid, exe.c_str(), &fa, &attr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&fa);
    posix_spawnattr_destroy(&attr);
    return rc == 0;
  }

  // Waits up to seconds for the child to end; true when it did.
  bool WaitEnd(double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!ended) {
      if (waitpid(pid, &status, WNOHANG) == pid) {
        ended = true;
        break;
      }
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  ~Program() {
    if (pid > 0 && !ended) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
  }
};

// Waits until the file holds text (up to seconds); true when it does.
inline bool WaitForText(const std::filesystem::path& file, const std::string& text, double seconds) {
  auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
    if (ReadText(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace bm::test
