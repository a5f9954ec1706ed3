#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "common/arguments.h"
#include "common/critical_errors.h"
#include "common/system_dlls.h"
#include "ui/Form1.h"
#include "ui/dpi.h"
#include "visualstyle/common_controls.h"

namespace {

int RunMessageLoop(HWND window) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Lets Tab move the focus between the controls.
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything looks at a file: a drive without its disc gives a
    // missing file, not a box asking for the disc.
    common::FailCriticalErrors();
    common::KeepDllSearchInSystemFolder();
    // The program lays itself out for the real DPI instead of being stretched.
    dpi::DeclareForProcess();
    common_controls::Initialise(common_controls::SystemLoader());
    std::optional<Form1> form;
    try {
        form.emplace();
        form->Load(instance);
        // "Open with", "Send To" and a drop on the program's icon start it with
        // the image as its first argument.
        const std::vector<std::wstring> arguments = common::SplitCommandLine(GetCommandLineW());
        form->Show(arguments.size() > 1 ? std::optional(arguments[1]) : std::nullopt);
    } catch (const std::exception& error) {
        EndForUnexpectedError(nullptr, error);
    }
    return RunMessageLoop(form->hWnd());
}
