#pragma once

#include <windows.h>

#include <type_traits>

#include "common/system_dlls.h"

namespace common {

// Whether a function type has Windows' calling convention (WINAPI). In the
// 32-bit build that is stdcall, a type of its own: a function of a DLL called
// through a pointer without it unbalances the stack and crashes the shipped
// program, while the 64-bit build, which has one convention only, works.
template <typename Fn>
struct IsWinApiFunction : std::false_type {};
template <typename R, typename... Arguments>
struct IsWinApiFunction<R WINAPI(Arguments...)> : std::true_type {};

// A function of a DLL already loaded, or nullptr when the module is null or
// lacks it.
template <typename Fn>
Fn* FunctionIn(HMODULE module, const char* name) {
    static_assert(IsWinApiFunction<Fn>::value,
                  "the function type lacks WINAPI; Windows' DLLs use the stdcall convention, "
                  "and the 32-bit program would crash calling it as cdecl");
    if (!module) {
        return nullptr;
    }
    // The detour through a plain function pointer is the documented way to
    // convert between unrelated function pointer types.
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A function of a DLL outside kernel32, user32 and gdi32, bound by library and
// name at its first call, so that the program does not pay for loading the
// library at start-up and still starts on systems that lack the function. The
// library comes from the system folder. Declare one as a function-local static:
//   static DllFunction<decltype(::ShellExecuteA)> shellExecute("shell32.dll", "ShellExecuteA");
template <typename Fn>
class DllFunction {
public:
    DllFunction(const char* library, const char* name) : library_(library), name_(name) {}
    DllFunction(const DllFunction&) = delete;
    DllFunction& operator=(const DllFunction&) = delete;

    // The function, or nullptr when the library or the entry is missing. The
    // library stays loaded for the rest of the run.
    Fn* get() {
        if (!bound_) {
            bound_ = true;
            fn_ = FunctionIn<Fn>(LoadSystemLibrary(library_), name_);
        }
        return fn_;
    }

private:
    const char* library_;
    const char* name_;
    Fn* fn_ = nullptr;
    bool bound_ = false;
};

}  // namespace common
