#include "common/app.h"

#include <windows.h>

#include <optional>
#include <stdexcept>

#include "common/ansi_text.h"
#include "common/app_path.h"

namespace App {
namespace {

struct Location {
    std::wstring wide;                // the executable's full path
    std::optional<std::string> ansi;  // the same file as the ANSI functions take it
};

std::wstring ModuleFileName() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// An ANSI text for a wide path, when the code page spells it and the ANSI
// functions take its length.
std::optional<std::string> Usable(const std::wstring& path) {
    if (!common::FitsAnsiFunctions(path)) {
        return std::nullopt;
    }
    return common::SpelledInAnsi(path);
}

Location Locate() {
    // Started through "\\?\", Windows reports the path with that prefix, which
    // the ANSI functions do not take and the network-path test takes for a share.
    Location location{common::WithoutLongPathPrefix(ModuleFileName()), std::nullopt};
    location.ansi = Usable(location.wide);
    const std::size_t slash = location.wide.find_last_of(L'\\');
    if (location.ansi || slash == std::wstring::npos) {
        return location;
    }
    // A folder named in another script, or too deep: its short name is plain
    // ASCII and short, and names the same folder.
    const std::optional<std::wstring> folder = common::ShortPathOf(location.wide.substr(0, slash));
    if (folder) {
        const std::wstring path = *folder + location.wide.substr(slash);
        location.ansi = Usable(path);
    }
    return location;
}

const Location& Here() {
    static const Location location = Locate();
    return location;
}

const std::string& AnsiPath() {
    if (!Here().ansi) {
        throw std::runtime_error("no ANSI path names the program's folder");
    }
    return *Here().ansi;
}

}  // namespace

bool HasAnsiPath() {
    return Here().ansi.has_value();
}

std::string Path() {
    return common::FolderOf(AnsiPath(), common::IsAnsiLeadByte);
}

std::string PathFor(const std::string& fileName) {
    const std::string folder = Path();
    if (common::FitsAnsiFunctions(
            common::WideFromAnsi(common::JoinPath(folder, fileName, common::IsAnsiLeadByte)))) {
        return folder;
    }
    const std::wstring& wide = Here().wide;
    if (const std::optional<std::wstring> shortFolder =
            common::ShortPathOf(wide.substr(0, wide.find_last_of(L'\\')))) {
        if (std::optional<std::string> spelled = common::SpelledInAnsi(*shortFolder)) {
            return *spelled;
        }
    }
    return folder;
}

std::wstring FilePath() {
    return Here().wide;
}

std::string EXEName() {
    return common::FileTitleOf(AnsiPath(), common::IsAnsiLeadByte);
}

std::string ShownFolder() {
    const std::wstring& wide = Here().wide;
    return common::RenderedInAnsi(wide.substr(0, wide.find_last_of(L'\\')));
}

common::VersionInfo Version() {
    // Read straight from the executable's resources: no need to load version.dll.
    constexpr int kVersionBlock = 1;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(kVersionBlock), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* block = loaded ? LockResource(loaded) : nullptr;
    if (!block) {
        return common::VersionInfo();
    }
    return common::ParseVersionInfo(block, SizeofResource(nullptr, found));
}

std::string Command() {
    return common::ArgumentsOf(GetCommandLineA());
}

void End(unsigned exitCode) {
    ExitProcess(exitCode);
}

}  // namespace App
