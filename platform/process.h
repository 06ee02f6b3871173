#pragma once
// Starting other programs and the facts of the running system. Programs are
// always started with an argument vector, never through a shell, so no
// character of an argument has a meaning to anything but the started program.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProcessResult {
  bool started = false;   // the program could be started
  int startError = 0;     // errno of a failed start
  bool timedOut = false;  // killed at the time limit
  bool exited = false;    // ended by itself through exit (not by a signal)
  int exitCode = -1;
  std::string output;     // standard output, at most the output limit
  bool Succeeded() const { return started && !timedOut && exited && exitCode == 0; }
};

// Runs a program and waits for its end, collecting its standard output.
// Standard input is empty, standard error is discarded. The program runs in a
// process group of its own; at the time limit the whole group is killed.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         std::chrono::milliseconds timeLimit,
                         std::size_t outputLimit = 1 << 20);

struct StartResult {
  bool started = false;
  int error = 0;  // errno when not started
};

// Starts a program that runs on its own (a session of its own, standard input
// empty, output shared with ours); the caller does not wait. When `onEnd` is
// given it is called on the user-interface thread once the program has ended,
// however it ended (needs the Qt event loop).
StartResult StartProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         std::function<void()> onEnd = {});

// The first executable file of that name in the folders of PATH.
std::optional<std::filesystem::path> FindProgramOnPath(const std::string& name);

// The full path of the running program file.
std::optional<std::filesystem::path> ExecutablePath();

// The host name of this computer, without its domain part; empty when unknown.
std::string HostName();
// The login name of the user running the program; empty when unknown.
std::string LoginName();

// What tells this start of the process of that id from any other process
// that had or will have the same id: the boot and the moment of its start
// after it ("<boot id>/<clock ticks>"). Empty when no process of that id runs
// or the system does not tell.
std::string ProcessStartMark(long processId);

}  // namespace platform
