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
    Step([&] { text = ManifestTemplate(platform.ProcessorArchitecture()); });
    std::string path;
    Step([&] {
        path = AddTrailingSeparator(platform, platform.AppPath()) + platform.AppEXEName() +
               ".exe.manifest";
    });
    std::string found;
    bool searched = false;
    Step([&] {
        found = platform.FindFile(path, kAnyFile);
        searched = true;
    });
    const bool exists = !found.empty();

    if (exists && ForceRewrite != kTrue) {
        if (RemoveExisting == kTrue) {
            Step([&] { platform.SetAttributes(path, attributes::kNormal); });
            Step([&] { platform.RemoveFile(path); });
        }
        return kTrue;
    }

    // What lies there before this start replaces it. Windows remembers whether
    // a program has a manifest until the program file's time changes: a start
    // that changes the manifest touches the program file, so that the next
    // start looks again.
    std::optional<FileState> old;
    bool oldKnown = searched && !exists;
    if (exists) {
        Step([&] {
            old = platform.ReadFileState(path);
            oldKnown = true;
        });
    }

    // The values go in as UTF-8, which the manifest declares, and escaped: a
    // malformed manifest stops the program from starting at all, so it could
    // never mend the file. Each replacement also searches what the earlier
    // ones put in.
    const auto value = [&](const std::string& ansi) {
        return XmlEscape(platform.Utf8FromAnsi(ansi));
    };
    Step([&] { ReplaceAll(text, "EXENAME", value(platform.AppEXEName() + ".exe")); });
    Step([&] {
        const ExeVersion v = platform.AppVersion();
        ReplaceAll(text, "EXEVERSION",
                   std::to_string(v.major) + '.' + std::to_string(v.minor) + '.' +
                       std::to_string(v.revision) + ".0");
    });
    Step([&] { ReplaceAll(text, "EXEDESCRIPTION", value(platform.AppFileDescription())); });
    Step([&] { ReplaceAll(text, "COMPANYNAME", value(platform.AppCompanyName())); });

    constexpr unsigned kHiddenSystem = attributes::kHidden | attributes::kSystem;
    // Written whole under a name of its own, then moved into place in one step:
    // a start cut short, or another start at the same moment, never leaves half
    // a manifest there. Created hidden and system, so that one such file left
    // behind can be written over.
    bool placed = false;
    if (!path.empty()) {
        const std::string newFile = path + ".tmp";
        bool written = false;
        Step([&] {
            platform.WriteNewFile(newFile, text, kHiddenSystem);
            written = true;
        });
        if (written) {
            Step([&] { platform.SetAttributes(newFile, kHiddenSystem); });
            // A read-only manifest could not be replaced; any other keeps its
            // attributes until the new one takes its place.
            if (exists && (!old || (old->attributes & attributes::kReadOnly))) {
                Step([&] { platform.SetAttributes(path, attributes::kNormal); });
            }
            Step([&] {
                platform.MoveIntoPlace(newFile, path);
                placed = true;
            });
        }
        if (!placed) {
            Step([&] { platform.RemoveFile(newFile); });
        }
    }
    // Not the archive attribute, which some file systems set on a move.
    constexpr unsigned kGiven = attributes::kReadOnly | kHiddenSystem;
    if (placed && oldKnown &&
        (!old || old->contents != text || (old->attributes & kGiven) != kHiddenSystem)) {
        Step([&] { platform.TouchProgramFile(); });
    }

    // Not after a failed write: the new instance would fail the same way and
    // restart again, for ever.
    if (RestartAfterWrite == kTrue && placed) {
        Step([&] {
            platform.StartProgram(RestartCommandLine(platform.AppPath(), platform.AppEXEName(),
                                                     platform.AppCommand()));
        });
        Step([&] { platform.EndProgram(); });
    }
    return kFalse;
}

}  // namespace modXPStyle2
