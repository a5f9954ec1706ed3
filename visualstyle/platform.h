#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "common/app_path.h"

namespace modXPStyle2 {

// A platform call that did not do what was asked. The manifest bootstrap
// abandons the step it happened in and goes on with the next.
class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file attributes the bootstrap uses, with their Windows values.
namespace attributes {
constexpr unsigned kNormal = 0;
constexpr unsigned kReadOnly = 1;
constexpr unsigned kHidden = 2;
constexpr unsigned kSystem = 4;
constexpr unsigned kArchive = 32;
}  // namespace attributes

// What a file holds: its bytes and its attributes.
struct FileState {
    std::string contents;
    unsigned attributes = 0;
};

struct ExeVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
};

// What the visual-style bootstrap needs from Windows and from the running
// program, kept behind an interface so that its decisions can be tested
// anywhere. Texts are in the system's ANSI code page. Every call may throw
// PlatformError.
class Platform {
public:
    virtual ~Platform() = default;

    // As GetVersion reports it: the major version in the low byte, the minor
    // version in the next.
    virtual std::uint32_t WindowsVersion() = 0;
    // Whether the library loads from the system folder; it is released again at once.
    virtual bool CanLoadLibrary(const std::string& fileName) = 0;
    virtual bool IsThemeActive() = 0;
    virtual bool PathIsNetworkPath(const std::string& path) = 0;
    // Which bytes start a two-byte character in the ANSI code page.
    virtual common::LeadByteRule AnsiLeadBytes() = 0;

    // The running program: its folder (a trailing backslash only at a drive
    // root), file name without extension, version resource and arguments.
    virtual std::string AppPath() = 0;
    virtual std::string AppEXEName() = 0;
    virtual ExeVersion AppVersion() = 0;
    virtual std::string AppFileDescription() = 0;
    virtual std::string AppCompanyName() = 0;
    virtual std::string AppCommand() = 0;
    // The processor architecture the program is built for, as manifests name
    // it: "x86" for the 32-bit program, "amd64" for a 64-bit build.
    virtual std::string ProcessorArchitecture() = 0;
    // An ANSI text in UTF-8, the encoding the manifest declares.
    virtual std::string Utf8FromAnsi(const std::string& text) = 0;

    // The name of a file (never a folder) matching the path whose attributes
    // lie within the mask, or an empty text.
    virtual std::string FindFile(const std::string& path, unsigned attributeMask) = 0;
    virtual void SetAttributes(const std::string& path, unsigned attributes) = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Creates the file with these attributes, or empties an existing one,
    // and writes the bytes.
    virtual void WriteNewFile(const std::string& path, const std::string& contents,
                              unsigned attributes) = 0;
    // Puts a file in another's place in one step, replacing it.
    virtual void MoveIntoPlace(const std::string& from, const std::string& to) = 0;
    // The file's bytes and attributes; nothing when there is no such file.
    virtual std::optional<FileState> ReadFileState(const std::string& path) = 0;
    // Sets the last-write time of the program's own file to now, and changes
    // nothing else of it.
    virtual void TouchProgramFile() = 0;
    // Starts a command line in a normal window that takes the focus.
    virtual void StartProgram(const std::string& commandLine) = 0;
    // Ends the program at once; returns only from a test's stand-in.
    virtual void EndProgram() = 0;
};

}  // namespace modXPStyle2
