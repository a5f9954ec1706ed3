#include "common/error_box.h"

namespace common {

void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Kestrimond GUI", MB_OK | MB_ICONHAND);
}

}  // namespace common
