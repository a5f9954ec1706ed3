#include "ui/common_controls.h"

#include <windows.h>

#include "common/dll_function.h"

namespace common_controls {
namespace {

constexpr wchar_t kLibrary[] = L"comctl32.dll";

class Win32Loader : public Loader {
public:
    std::optional<bool> Redirects(const wchar_t* dll) override {
        // Windows XP on.
        static common::DllFunction<decltype(::FindActCtxSectionStringW)> find(
            "kernel32.dll", "FindActCtxSectionStringW");
        if (!find.get()) {
            return std::nullopt;
        }
        ACTCTX_SECTION_KEYED_DATA data{};
        data.cbSize = sizeof data;
        return find.get()(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, dll, &data) !=
               FALSE;
    }

    void LoadAndInitialise(const char* dll) override {
        // Not by its full path in the system folder, which would skip the
        // side-by-side copy and bind version 5.
        if (auto* initialise =
                common::FunctionIn<void WINAPI()>(LoadLibraryA(dll), "InitCommonControls")) {
            initialise();
        }
    }
};

}  // namespace

void Initialise(Loader& loader) {
    if (loader.Redirects(kLibrary).value_or(false)) {
        loader.LoadAndInitialise("comctl32.dll");
    }
}

Loader& SystemLoader() {
    static Win32Loader loader;
    return loader;
}

}  // namespace common_controls
