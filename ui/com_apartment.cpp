#include "ui/com_apartment.h"

#include <objbase.h>

#include "common/dll_function.h"

bool EnterComApartment() {
    static const bool entered = [] {
        common::DllFunction<decltype(::CoInitializeEx)> coInitializeEx("ole32.dll",
                                                                       "CoInitializeEx");
        return coInitializeEx.get() &&
               SUCCEEDED(coInitializeEx.get()(nullptr,
                                              COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    return entered;
}
