#include "common/app_path.h"

#include <algorithm>

namespace common {
namespace {

// The position of the last character of `text` that is a backslash, walking
// the characters from the start; npos when there is none. A lead byte at the
// very end stands for itself.
std::size_t LastBackslash(std::string_view text, LeadByteRule isLeadByte) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            last = i;
        } else if (isLeadByte(text[i]) && i + 1 < text.size()) {
            ++i;
        }
    }
    return last;
}

}  // namespace

bool EndsInBackslash(std::string_view text, LeadByteRule isLeadByte) {
    return !text.empty() && LastBackslash(text, isLeadByte) == text.size() - 1;
}

std::string JoinPath(const std::string& folder, const std::string& name, LeadByteRule isLeadByte) {
    if (EndsInBackslash(folder, isLeadByte)) {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string FolderOf(const std::string& filePath, LeadByteRule isLeadByte) {
    const std::size_t slash = LastBackslash(filePath, isLeadByte);
    if (slash == std::string::npos) {
        return std::string();
    }
    std::string folder = filePath.substr(0, slash);
    // "C:" alone would mean the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    return folder;
}

std::string FileTitleOf(const std::string& filePath, LeadByteRule isLeadByte) {
    const std::size_t slash = LastBackslash(filePath, isLeadByte);
    std::string name = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
    // No byte of a two-byte character is a dot, so the last one is the extension's.
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) {
        name.erase(dot);
    }
    return name;
}

namespace {

constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool StartsWith(std::wstring_view text, std::wstring_view start) {
    return text.substr(0, start.size()) == start;
}

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// As Windows compares the names behind the prefix ("UNC", "Volume").
bool StartsWithAnyCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return AsciiUpper(a) == AsciiUpper(b); });
}

constexpr std::wstring_view kShare = L"UNC\\";

// "\\server\pipe\..." and "\\server\mailslot\...", behind "\\?\UNC\" too: the
// pipes and mailslots of that machine (of this one, through the network,
// for "localhost"), whatever their case; and its share "IPC$", through which
// those pipes are reached, and which holds no files.
bool NamesPipeOrMailslot(std::wstring_view fullPath) {
    std::wstring_view rest;
    if (StartsWithAnyCase(fullPath, kLongSharePrefix)) {
        rest = fullPath.substr(kLongSharePrefix.size());
    } else if (StartsWith(fullPath, L"\\\\") && !HasLongPathPrefix(fullPath)) {
        rest = fullPath.substr(2);
    } else {
        return false;
    }
    const std::size_t server = rest.find(L'\\');
    if (server == std::wstring_view::npos) {
        return false;
    }
    const std::wstring_view share =
        rest.substr(server + 1, rest.find(L'\\', server + 1) - server - 1);
    for (const std::wstring_view name : {L"pipe", L"mailslot", L"IPC$"}) {
        if (share.size() == name.size() && StartsWithAnyCase(share, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool HoldsInvalidPathCharacters(const std::wstring& path) {
    const std::wstring_view name =
        HasLongPathPrefix(path) ? std::wstring_view(path).substr(kLongPathPrefix.size()) : path;
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\"*<>?|").find(c) != std::wstring_view::npos) {
            return true;
        }
    }
    return false;
}

bool HasLongPathPrefix(std::wstring_view path) {
    return StartsWith(path, kLongPathPrefix);
}

std::wstring WithLongPathPrefix(const std::wstring& fullPath) {
    if (HasLongPathPrefix(fullPath)) {
        return fullPath;
    }
    if (StartsWith(fullPath, L"\\\\")) {
        return std::wstring(kLongSharePrefix) + fullPath.substr(2);
    }
    return std::wstring(kLongPathPrefix) + fullPath;
}

bool NamesDiskBehindPrefix(std::wstring_view prefixedPath) {
    if (!HasLongPathPrefix(prefixedPath)) {
        return false;
    }
    const std::wstring_view rest = prefixedPath.substr(kLongPathPrefix.size());
    // "C:\"
    if (rest.size() >= 3 && AsciiUpper(rest[0]) >= L'A' && AsciiUpper(rest[0]) <= L'Z' &&
        rest[1] == L':' && rest[2] == L'\\') {
        return true;
    }
    if (StartsWithAnyCase(rest, kShare)) {
        return true;
    }
    // "Volume{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\", as the mount manager names volumes.
    constexpr std::wstring_view kVolume = L"Volume{";
    constexpr std::size_t kGuidEnd = kVolume.size() + 36;
    return StartsWithAnyCase(rest, kVolume) && rest.size() > kGuidEnd + 1 &&
           rest.substr(kGuidEnd, 2) == L"}\\";
}

std::wstring WithoutLongPathPrefix(const std::wstring& path) {
    if (!HasLongPathPrefix(path)) {
        return path;
    }
    const std::wstring rest = path.substr(kLongPathPrefix.size());
    return StartsWithAnyCase(rest, kShare) ? L"\\\\" + rest.substr(kShare.size()) : rest;
}

bool IsKernelPath(std::wstring_view path) {
    return StartsWith(path, L"\\??\\");
}

bool NamesDevice(std::wstring_view fullPath) {
    return StartsWith(fullPath, kDevicePrefix) || IsKernelPath(fullPath) ||
           (HasLongPathPrefix(fullPath) && !NamesDiskBehindPrefix(fullPath)) ||
           NamesPipeOrMailslot(fullPath);
}

std::string ArgumentsOf(const std::string& commandLine) {
    std::size_t i = 0;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const auto close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') {
            ++i;
        }
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) {
        ++i;
    }
    return commandLine.substr(i);
}

}  // namespace common
