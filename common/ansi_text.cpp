#include "common/ansi_text.h"

#include "common/app_path.h"
#include "common/file_system.h"

namespace common {

std::optional<std::string> AnsiFromWide(std::wstring_view wide, DWORD flags,
                                        const char* defaultChar) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, defaultChar, nullptr);
    if (size <= 0) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), length, ansi.data(), size, defaultChar,
                        nullptr);
    return ansi;
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

std::optional<std::string> SpelledInAnsi(const std::wstring& name) {
    // Converting back catches both the default character and best-fit
    // look-alikes, and works in every code page, UTF-8 included.
    std::optional<std::string> narrow = AnsiFromWide(name);
    if (!narrow || WideFromAnsi(*narrow) != name) {
        return std::nullopt;
    }
    return narrow;
}

std::string RenderedInAnsi(const std::wstring& name) {
    // Some code pages (UTF-8 among them) take no flags.
    std::optional<std::string> narrow = AnsiFromWide(name, WC_NO_BEST_FIT_CHARS, "?");
    if (!narrow) {
        narrow = AnsiFromWide(name);
    }
    return narrow.value_or("?");
}

std::optional<std::wstring> ShortPathOf(const std::wstring& path) {
    // A device or pipe would be opened to find out.
    const std::wstring full = FullPathOf(path);
    if (NamesDevice(full)) {
        return std::nullopt;
    }
    const std::wstring asked = ForWideFunctions(path, full);
    std::wstring shortName(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetShortPathNameW(asked.c_str(), shortName.data(),
                                               static_cast<DWORD>(shortName.size()));
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
            return WithoutLongPathPrefix(shortName);
        }
        shortName.resize(length);
    }
}

bool IsAnsiLeadByte(char byte) {
    return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
}

BYTE CharsetOfCodePage(UINT codePage) {
    CHARSETINFO info{};
    // With TCI_SRCCODEPAGE the code page itself stands where a pointer goes.
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info,
                              TCI_SRCCODEPAGE)) {
        return DEFAULT_CHARSET;
    }
    return static_cast<BYTE>(info.ciCharset);
}

}  // namespace common
