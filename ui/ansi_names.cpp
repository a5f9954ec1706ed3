#include "ui/ansi_names.h"

#include <windows.h>

#include "common/ansi_text.h"

std::optional<std::string> AnsiNames::Spell(const std::wstring& name) const {
    // Converting back catches both the default character and best-fit
    // look-alikes, and works in every code page, UTF-8 included.
    std::optional<std::string> narrow = common::AnsiFromWide(name);
    if (!narrow || common::WideFromAnsi(*narrow) != name) {
        return std::nullopt;
    }
    return narrow;
}

std::string AnsiNames::Render(const std::wstring& name) const {
    // Some code pages (UTF-8 among them) take no flags.
    std::optional<std::string> narrow = common::AnsiFromWide(name, WC_NO_BEST_FIT_CHARS, "?");
    if (!narrow) {
        narrow = common::AnsiFromWide(name);
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
