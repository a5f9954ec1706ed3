#include "tests/visualstyle/wine_host.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace host_test {
namespace {

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

// The stored attributes: hexadecimal text, such as "0x22", with a trailing NUL.
unsigned StoredAttributes(const fs::path& path) {
    const ssize_t size = getxattr(path.c_str(), "user.DOSATTRIB", nullptr, 0);
    if (size <= 0) {
        return 0;  // none stored
    }
    std::string text(static_cast<size_t>(size), '\0');
    if (getxattr(path.c_str(), "user.DOSATTRIB", text.data(), text.size()) != size) {
        return 0;  // gone in between
    }
    text.erase(text.find_last_not_of('\0') + 1);
    size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 16);
    if (used != text.size()) {
        throw std::runtime_error("unexpected DOS attributes \"" + text + "\" on " + path.string());
    }
    return static_cast<unsigned>(value);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool Viewable(const std::string& windowId) {
    // The window may be gone by now: then xwininfo fails, and it is not viewable.
    const auto info = Capture({"xwininfo", "-id", windowId}, Environment::Inherited(), kLimit);
    return info.output.find("Map State: IsViewable") != std::string::npos;
}

}  // namespace

std::string Wine() {
    const char* wine = std::getenv("KESTRIMOND_WINE");
    return wine != nullptr && *wine != '\0' ? wine : "/usr/lib/wine/wine64";
}

unsigned DosAttributes(const fs::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        throw SystemError("cannot read the attributes of " + path.string());
    }
    const bool writable = (info.st_mode & 0222) != 0;
    return (StoredAttributes(path) & ~kReadOnly) | (writable ? 0 : kReadOnly);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    file << content;
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<XWindow> XWindows() {
    const auto tree = Capture({"xwininfo", "-root", "-tree"}, Environment::Inherited(), kLimit);
    if (!tree.succeeded) {
        throw std::runtime_error(tree.description + ": " + tree.errors);
    }
    static const std::regex kWindowLine(R"re(^\s*(0x[0-9a-f]+) "(.*)": \()re");
    std::vector<XWindow> windows;
    for (const auto& line : Lines(tree.output)) {
        std::smatch match;
        if (std::regex_search(line, match, kWindowLine)) {
            windows.push_back({match[1], match[2]});
        }
    }
    return windows;
}

bool AnyWindowTitled(const std::string& title) {
    const auto windows = XWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [&](const XWindow& window) { return window.title == title; });
}

bool WindowShown(const std::string& title) {
    const auto windows = XWindows();
    return std::any_of(windows.begin(), windows.end(), [&](const XWindow& window) {
        return window.title == title && Viewable(window.id);
    });
}

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw SystemError("cannot make a folder like " + pattern);
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

CaseWine::CaseWine(const fs::path& sharedPrefix, const std::string& folderPrefix)
    : work_(folderPrefix),
      prefix_(work_.path() / "prefix"),
      logPath_(work_.path() / "wine.log"),
      log_(open(logPath_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)),
      environment_(Environment::Inherited()) {
    if (log_.get() < 0) {
        throw SystemError("cannot make " + logPath_.string());
    }
    // The shared prefix's server may still be saving its registry.
    const auto settled = host_test::Run({kWineServer, "-w"}, environment_, log_.get(), kLimit);
    if (!settled.ended) {
        throw std::runtime_error(settled.description);
    }
    const auto copied = host_test::Run(
        {KESTRIMOND_SCRIPTS "/wine-prefix", "--copy", sharedPrefix.string(), prefix_.string()},
        environment_, log_.get(), kLimit);
    if (!copied.succeeded) {
        throw std::runtime_error(copied.description + ": " + ReadFile(logPath_));
    }
    environment_.Set("WINEPREFIX", prefix_.string());
}

CaseWine::~CaseWine() {
    try {
        host_test::Run({kWineServer, "-k"}, environment_, log_.get(), kLimit);
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
    if (program_ && !program_->Wait(kLimit)) {
        ADD_FAILURE() << program_->Description() << " after its Wine server was stopped";
    }
    ShowLog();
}

testing::AssertionResult CaseWine::Run(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{Wine()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const auto outcome = host_test::Run(command, environment_, log_.get(), kLimit);
    if (!outcome.succeeded) {
        return testing::AssertionFailure() << outcome.description;
    }
    return testing::AssertionSuccess();
}

Outcome CaseWine::Capture(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{Wine()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return host_test::Capture(command, environment_, kLimit);
}

void CaseWine::Start(const std::string& windowsPath) {
    program_.emplace(std::vector<std::string>{Wine(), windowsPath}, environment_, log_.get());
}

bool CaseWine::ProgramRunning() {
    return program_ && program_->Running();
}

// Wine's messages explain many a failure. Called on the way out: never throws.
void CaseWine::ShowLog() const {
    std::ifstream file(logPath_, std::ios::binary);
    const std::string log{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto begin = log.find_first_not_of(" \t\r\n");
    if (begin != std::string::npos) {
        std::cout << log.substr(begin, log.find_last_not_of(" \t\r\n") + 1 - begin) << std::endl;
    }
}

}  // namespace host_test
