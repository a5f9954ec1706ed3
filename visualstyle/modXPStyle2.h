#pragma once

#include <cstdint>
#include <string>

#include "common/boolean.h"
#include "visualstyle/platform.h"

// Visual styles for the program: whether Windows can show them, and the
// application manifest that binds version 6 of the common controls. Windows
// reads the manifest when a process starts, so one written now takes effect
// from the next start.
namespace modXPStyle2 {

using common::Boolean;
using common::kFalse;
using common::kTrue;

// The Windows version as major + minor / 100 with two decimals and always a
// point ("5.01" for XP), whatever the user's locale.
std::string GetWinVersion(Platform& platform);

// kTrue on Windows XP (5.1) or later.
Boolean IsWinXPOrLater(Platform& platform);

// kTrue when the theme library uxtheme.dll can be loaded.
Boolean HasThemeLibrary(Platform& platform);

// The folder path with a trailing separator: "/" after a network path, "\"
// otherwise. A path that already ends in it comes back unchanged, blanks
// included; any other loses its leading and trailing blanks.
std::string AddTrailingSeparator(Platform& platform, const std::string& Path);

// When Windows can show visual styles, writes, keeps or removes the
// manifest as the flags ask, and may start the program anew and end this
// instance. Sets ForceRewrite to kFalse when either of the other flags is
// true. Returns kTrue when a manifest existed and was kept or removed
// instead of written, else kFalse. A failing platform call abandons only the
// step it happened in; only the checks of Windows itself can throw.
Boolean ApplyXPStyle(Platform& platform, Boolean& RestartAfterWrite, Boolean& RemoveExisting,
                     Boolean& ForceRewrite);

// The same on the running Windows, for the program itself.
Boolean ApplyXPStyle(Boolean& RestartAfterWrite, Boolean& RemoveExisting, Boolean& ForceRewrite);

}  // namespace modXPStyle2
