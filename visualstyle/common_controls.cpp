#include "visualstyle/common_controls.h"

namespace common_controls {

void Initialise(Loader& loader) {
    if (loader.Redirects(L"comctl32.dll").value_or(false)) {
        loader.LoadAndInitialise("comctl32.dll");
    }
}

}  // namespace common_controls
