// Runs ventrel-sim as a child process and reads the pseudo-terminal it serves; closing
// its standard input ends it.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace fakes {

class SimProcess {
 public:
  // Starts the simulator with "--pty" and the given options; nothing when it cannot.
  static std::unique_ptr<SimProcess> Start(const std::string& simulator,
                                           std::vector<std::string> options = {}) {
    int toSim[2];
    int fromSim[2];
    if (pipe(toSim) != 0) return nullptr;
    if (pipe(fromSim) != 0) {
      close(toSim[0]);
      close(toSim[1]);
      return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toSim[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromSim[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toSim[1]);
    posix_spawn_file_actions_addclose(&actions, fromSim[0]);
    std::vector<std::string> arguments = {simulator, "--pty"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    auto process = std::unique_ptr<SimProcess>(new SimProcess);
    const int spawned =
        posix_spawn(&process->pid_, simulator.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toSim[0]);
    close(fromSim[1]);
    process->input_ = toSim[1];
    if (spawned != 0) process->pid_ = -1;
    char c = 0;
    while (spawned == 0 && read(fromSim[0], &c, 1) == 1 && c != '\n') process->device_ += c;
    close(fromSim[0]);
    if (process->device_.empty()) return nullptr;
    return process;
  }

  ~SimProcess() { Stop(); }

  const std::string& device() const { return device_; }

  // As when the module loses power: the terminal goes away at once.
  void Kill() {
    if (pid_ > 0) kill(pid_, SIGKILL);
    Stop();
  }

  void Stop() {
    if (input_ >= 0) close(input_);
    input_ = -1;
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  SimProcess() = default;

  pid_t pid_ = -1;
  int input_ = -1;
  std::string device_;
};

}  // namespace fakes
