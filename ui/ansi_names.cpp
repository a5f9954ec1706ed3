#include "ui/ansi_names.h"

#include <windows.h>

namespace {

std::optional<std::string> Narrow(const std::wstring& wide, DWORD flags, const char* defaultChar) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, defaultChar, nullptr);
    if (size <= 0) {
        return std::nullopt;
    }
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), length, narrow.data(), size, defaultChar,
                        nullptr);
    return narrow;
}

}  // namespace

std::optional<std::string> AnsiNames::Spell(const std::wstring& name) const {
    // Converting back catches both the default character and best-fit
    // look-alikes, and works in every code page, UTF-8 included.
    std::optional<std::string> narrow = Narrow(name, 0, nullptr);
    if (!narrow || WideFromAnsi(*narrow) != name) {
        return std::nullopt;
    }
    return narrow;
}

std::string AnsiNames::Render(const std::wstring& name) const {
    // Some code pages (UTF-8 among them) take no flags.
    std::optional<std::string> narrow = Narrow(name, WC_NO_BEST_FIT_CHARS, "?");
    if (!narrow) {
        narrow = Narrow(name, 0, nullptr);
    }
    return narrow.value_or("?");
}

std::optional<std::wstring> AnsiNames::ShortNameOf(const std::wstring& path) const {
    std::wstring shortName(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetShortPathNameW(path.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
        if (length == 0) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                error == ERROR_INVALID_NAME) {
                return std::nullopt;
            }
            return path;  // it exists, but no shorter name can be had
        }
        if (length < shortName.size()) {
            shortName.resize(length);
            return shortName;
        }
        shortName.resize(length);
    }
}

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
    return wide;
}
