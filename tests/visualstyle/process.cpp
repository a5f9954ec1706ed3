#include "tests/visualstyle/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace host_test {
namespace {

constexpr auto kReapInterval = std::chrono::milliseconds(10);

std::string Joined(const std::vector<std::string>& command) {
    std::string joined;
    for (const auto& word : command) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

// The pointer arrays that posix_spawn takes, over strings that outlive the call.
std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Frees the file actions however the start goes.
struct FileActions {
    FileActions() { posix_spawn_file_actions_init(&actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;

    posix_spawn_file_actions_t actions;
};

// An unnamed file in memory, for output read back once its writer has ended.
FileDescriptor MemoryFile(const char* name) {
    const int fd = memfd_create(name, MFD_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error(std::string("memfd_create: ") + std::strerror(errno));
    }
    return FileDescriptor(fd);
}

std::string ReadAll(int fd) {
    std::string content;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        content.append(buffer, static_cast<size_t>(n));
    }
    return content;
}

}  // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

Environment Environment::Inherited() {
    Environment environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            environment.Set(text.substr(0, equals), text.substr(equals + 1));
        }
    }
    return environment;
}

std::string Environment::Get(const std::string& name) const {
    const auto found = variables_.find(name);
    return found == variables_.end() ? "" : found->second;
}

std::vector<std::string> Environment::Entries() const {
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables_) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

Process::Process(const std::vector<std::string>& command, const Environment& environment,
                 int output, int errors)
    : name_(Joined(command)) {
    FileActions files;
    posix_spawn_file_actions_addopen(&files.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files.actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&files.actions, errors, STDERR_FILENO);
    // Nothing else of the test's, such as CTest's pipes, may be held open by Wine.
    posix_spawn_file_actions_addclosefrom_np(&files.actions, STDERR_FILENO + 1);
    auto arguments = command;
    auto variables = environment.Entries();
    const int error = posix_spawnp(&pid_, arguments.front().c_str(), &files.actions, nullptr,
                                   Pointers(arguments).data(), Pointers(variables).data());
    if (error != 0) {
        throw std::runtime_error("cannot start " + name_ + ": " + std::strerror(error));
    }
}

Process::~Process() {
    if (Running()) {
        kill(pid_, SIGKILL);
        Wait(std::chrono::seconds(10));
    }
}

bool Process::Running() {
    if (status_) {
        return false;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
        return false;
    }
    return true;
}

bool Process::Wait(Clock::duration limit) {
    return WaitUntil([this] { return !Running(); }, limit, kReapInterval);
}

bool Process::Succeeded() const {
    return status_ && WIFEXITED(*status_) && WEXITSTATUS(*status_) == 0;
}

std::string Process::Description() const {
    if (!status_) {
        return "`" + name_ + "` did not end in time";
    }
    if (WIFEXITED(*status_)) {
        return "`" + name_ + "` ended with status " + std::to_string(WEXITSTATUS(*status_));
    }
    return "`" + name_ + "` was ended by signal " + std::to_string(WTERMSIG(*status_));
}

namespace {

Outcome RunWith(const std::vector<std::string>& command, const Environment& environment, int output,
                int errors, Clock::duration limit) {
    Process process(command, environment, output, errors);
    Outcome outcome;
    outcome.ended = process.Wait(limit);
    outcome.succeeded = process.Succeeded();
    outcome.description = process.Description();
    return outcome;
}

}  // namespace

Outcome Run(const std::vector<std::string>& command, const Environment& environment, int output,
            Clock::duration limit) {
    return RunWith(command, environment, output, output, limit);
}

Outcome Capture(const std::vector<std::string>& command, const Environment& environment,
                Clock::duration limit) {
    const auto output = MemoryFile("output");
    const auto errors = MemoryFile("errors");
    auto outcome = RunWith(command, environment, output.get(), errors.get(), limit);
    outcome.output = ReadAll(output.get());
    outcome.errors = ReadAll(errors.get());
    return outcome;
}

}  // namespace host_test
