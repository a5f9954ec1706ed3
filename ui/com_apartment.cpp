#include "ui/com_apartment.h"

#include <objbase.h>

#include "common/dll_function.h"

bool EnterComApartment() {
    static common::DllFunction<decltype(::CoInitializeEx)> coInitializeEx("ole32.dll",
                                                                          "CoInitializeEx");
    static bool tried = false;
    static bool entered = false;
    if (!tried && coInitializeEx.get()) {
        entered = SUCCEEDED(
            coInitializeEx.get()(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    tried = true;
    return entered;
}
