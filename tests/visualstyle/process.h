#pragma once

// Starting Linux processes from a host test: Wine, its server, and the X tools
// that look at its windows.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace host_test {

using Clock = std::chrono::steady_clock;

// Polls `done` every `interval` until it answers true or `limit` passes.
template <typename Done>
bool WaitUntil(Done done, Clock::duration limit,
               Clock::duration interval = std::chrono::milliseconds(100)) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
    return true;
}

// A file descriptor, closed at the end of its life.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

// The variables a child process gets: this process's own, with changes.
class Environment {
public:
    static Environment Inherited();

    void Set(const std::string& name, const std::string& value) { variables_[name] = value; }
    // The value, or "" when the variable is not set.
    std::string Get(const std::string& name) const;
    std::vector<std::string> Entries() const;

private:
    std::map<std::string, std::string> variables_;
};

// A child process reading nothing, writing both of its output streams to
// `output`. It is killed at the end of its life if it is still running, so
// that a failed check leaves nothing behind.
class Process {
public:
    Process(const std::vector<std::string>& command, const Environment& environment, int output)
        : Process(command, environment, output, output) {}
    Process(const std::vector<std::string>& command, const Environment& environment, int output,
            int errors);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Running();
    // Whether the process ended within `limit`.
    bool Wait(Clock::duration limit);
    // Meaningful once the process has ended.
    bool Succeeded() const;
    std::string Description() const;

private:
    std::string name_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// How a command run to its end went.
struct Outcome {
    bool ended = false;  // within the limit; else it was killed
    bool succeeded = false;
    std::string description;  // the command and how it ended, for failure messages
    std::string output;       // standard output, when captured
    std::string errors;       // standard error, when captured
};

// Runs a command to its end, its output going to `output`. Output always goes
// to a file: Wine's server and helpers inherit the handles and outlive the
// command, so a pipe would not reach its end with it.
Outcome Run(const std::vector<std::string>& command, const Environment& environment, int output,
            Clock::duration limit);
// Runs a command to its end and captures what it writes.
Outcome Capture(const std::vector<std::string>& command, const Environment& environment,
                Clock::duration limit);

}  // namespace host_test
