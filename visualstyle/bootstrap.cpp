#include <exception>

#include "visualstyle/manifest.h"
#include "visualstyle/modXPStyle2.h"

namespace modXPStyle2 {

namespace {

// Finds the manifest however it was left: read-only, hidden or system.
constexpr unsigned kAnyFile =
    attributes::kReadOnly | attributes::kHidden | attributes::kSystem | attributes::kArchive;
static_assert(kAnyFile == 39);

// Runs one step of the bootstrap. A failure ends only that step: the program
// must start even where its folder cannot be written.
template <typename Action>
void Step(Action&& action) noexcept {
    try {
        action();
    } catch (const std::exception&) {
    }
}

}  // namespace

Boolean ApplyXPStyle(Platform& platform, Boolean& RestartAfterWrite, Boolean& RemoveExisting,
                     Boolean& ForceRewrite) {
    // Both probes run every time.
    const Boolean xp = IsWinXPOrLater(platform);
    const Boolean themeLibrary = HasThemeLibrary(platform);
    if (xp == kFalse || themeLibrary == kFalse || !platform.IsThemeActive()) {
        return kFalse;
    }

    // A restart follows only a write, so it must never rewrite an existing
    // manifest; and a manifest to be removed is not to be rewritten.
    if (RestartAfterWrite == kTrue || RemoveExisting == kTrue) {
        ForceRewrite = kFalse;
    }
    std::string text;
    Step([&] { text = ManifestTemplate(); });
    std::string path;
    Step([&] {
        path = AddTrailingSeparator(platform, platform.AppPath()) + platform.AppEXEName() +
               ".exe.manifest";
    });
    std::string found;
    Step([&] { found = platform.FindFile(path, kAnyFile); });
    const bool exists = !found.empty();

    if (exists && ForceRewrite != kTrue) {
        if (RemoveExisting == kTrue) {
            Step([&] { platform.SetAttributes(path, attributes::kNormal); });
            Step([&] { platform.RemoveFile(path); });
        }
        return kTrue;
    }

    // The values are escaped: a malformed manifest stops the program from
    // starting at all, so it could never mend the file. Each replacement also
    // searches what the earlier ones put in.
    Step([&] { ReplaceAll(text, "EXENAME", XmlEscape(platform.AppEXEName() + ".exe")); });
    Step([&] {
        const ExeVersion v = platform.AppVersion();
        ReplaceAll(text, "EXEVERSION",
                   std::to_string(v.major) + '.' + std::to_string(v.minor) + '.' +
                       std::to_string(v.revision) + ".0");
    });
    Step([&] { ReplaceAll(text, "EXEDESCRIPTION", XmlEscape(platform.AppFileDescription())); });
    Step([&] { ReplaceAll(text, "COMPANYNAME", XmlEscape(platform.AppCompanyName())); });
    if (exists) {
        Step([&] { platform.SetAttributes(path, attributes::kNormal); });
        Step([&] { platform.RemoveFile(path); });
    }
    bool written = false;
    Step([&] {
        platform.WriteNewFile(path, text);
        written = true;
    });
    Step([&] { platform.SetAttributes(path, attributes::kHidden | attributes::kSystem); });

    // Not after a failed write: the new instance would fail the same way and
    // restart again, for ever.
    if (RestartAfterWrite == kTrue && written) {
        Step([&] {
            platform.StartProgram(RestartCommandLine(platform.AppPath(), platform.AppEXEName(),
                                                     platform.AppCommand()));
        });
        Step([&] { platform.EndProgram(); });
    }
    return kFalse;
}

}  // namespace modXPStyle2
