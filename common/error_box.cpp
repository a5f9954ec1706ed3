#include "common/error_box.h"

#include "common/ansi_text.h"

namespace common {

void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Kestrimond GUI", MB_OK | MB_ICONHAND);
}

std::optional<std::string> SystemErrorText(DWORD code) {
    // Wide, so that a text in a display language that the ANSI code page
    // cannot spell is known as such instead of turning into question marks.
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const std::wstring wide(text ? text : L"", length);
    LocalFree(text);
    return SpelledInAnsi(wide);
}

}  // namespace common
