// The common controls' binding on the running Windows.
#include <windows.h>
#include <commctrl.h>

#include "common/dll_function.h"
#include "visualstyle/common_controls.h"

namespace common_controls {
namespace {

class Win32Loader : public Loader {
public:
    std::optional<bool> Redirects(const wchar_t* dll) override {
        // Windows XP on.
        static common::DllFunction<BOOL WINAPI(DWORD, const GUID*, ULONG, LPCWSTR,
                                               ACTCTX_SECTION_KEYED_DATA_2600*)>
            find("kernel32.dll", "FindActCtxSectionStringW");
        if (!find.get()) {
            return std::nullopt;
        }
        // The record as XP knows it; later fields are not read.
        ACTCTX_SECTION_KEYED_DATA_2600 data{};
        data.cbSize = sizeof data;
        return find.get()(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, dll, &data) !=
               FALSE;
    }

    void LoadAndInitialise(const char* dll) override {
        // Not by its full path in the system folder, which would skip the
        // side-by-side copy and bind version 5.
        const HMODULE module = LoadLibraryA(dll);
        // Version 6 registers its classes only through InitCommonControlsEx;
        // should it refuse the flag, InitCommonControls stands in.
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
        auto* initialiseEx =
            common::FunctionIn<decltype(::InitCommonControlsEx)>(module, "InitCommonControlsEx");
        if (!initialiseEx || !initialiseEx(&classes)) {
            if (auto* initialise = common::FunctionIn<decltype(::InitCommonControls)>(
                    module, "InitCommonControls")) {
                initialise();
            }
        }
    }
};

}  // namespace

Loader& SystemLoader() {
    static Win32Loader loader;
    return loader;
}

}  // namespace common_controls
