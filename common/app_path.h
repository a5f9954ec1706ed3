#pragma once

#include <string>
#include <string_view>

// Path texts of the application folder, kept free of Windows so that they can
// be tested anywhere. Paths are in the ANSI code page, which may be
// double-byte (932 and the other East Asian ones): there the second byte of a
// character may be that of a backslash ("\x95\x5C" is one character in 932), so
// a path is read character by character from its start, never by its last byte.
namespace common {

// Whether the ANSI functions of Windows take a path of this length: from 259
// characters on, a path must go by its short name.
constexpr bool FitsAnsiFunctions(std::wstring_view path) {
    return path.size() < 259;
}

// Whether a byte starts a two-byte character in the code page of the text.
using LeadByteRule = bool (*)(char byte);

// Whether the last character of `text` is a backslash.
bool EndsInBackslash(std::string_view text, LeadByteRule isLeadByte);

// Joins a file name to a folder. A folder that already ends in a backslash (a
// drive root such as "C:\") takes the bare name; any other gets one backslash.
std::string JoinPath(const std::string& folder, const std::string& name, LeadByteRule isLeadByte);

// The folder of a full file path, as the program reports its application
// folder: without a trailing backslash, except at a drive root ("C:\").
std::string FolderOf(const std::string& filePath, LeadByteRule isLeadByte);

// The file name of a full path without its last extension
// ("C:\Tools\Kestrimond GUI.exe" gives "Kestrimond GUI").
std::string FileTitleOf(const std::string& filePath, LeadByteRule isLeadByte);

// True when `path` holds a character that no Windows file name may hold
// (control characters and " * < > ? |): such a text can name no file. The "?"
// of a leading "\\?\" is the prefix's own. Asked of the wide text: in a
// double-byte code page the second byte of a character may equal "|" (the
// "po" of Shift-JIS is 0x83 0x7C).
bool HoldsInvalidPathCharacters(const std::wstring& path);

// Windows' W functions take a path of MAX_PATH (260) characters or more only
// behind the prefix "\\?\" ("\\?\UNC\" for a share), behind which they
// take every name literally: no "." or "..", no relative path, no "/".
bool HasLongPathPrefix(std::wstring_view path);

// A full path (as GetFullPathNameW makes it) behind the prefix, so that the
// W functions take it at any length. A path that has the prefix already stays
// as it is.
std::wstring WithLongPathPrefix(const std::wstring& fullPath);

// Whether a path behind the prefix can name a file on a disk: only behind a
// drive letter ("\\?\C:\"), a share ("\\?\UNC\") or a volume
// ("\\?\Volume{GUID}\"). Anything else there (a pipe, "GLOBALROOT", a
// device) is opened by any look at it, so it is no file.
bool NamesDiskBehindPrefix(std::wstring_view prefixedPath);

// `path` without the prefix: "\\?\C:\x" gives "C:\x", "\\?\UNC\server\x"
// gives "\\server\x". Any other path comes back unchanged.
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// Whether a path starts with "\\??\", which the file functions hand to
// Windows' kernel unchanged, while GetFullPathName makes it
// "<current drive>:\??\...": it is to be taken as it is.
bool IsKernelPath(std::wstring_view path);

// Whether a full path, as GetFullPathName gives it, names a device rather than
// a file: Windows turns CON, NUL, AUX and the other reserved names, even at
// the end of a folder's path, into "\\.\" and the name, and pipes and
// volumes are named so from the start; a kernel path ("\\??\", any device);
// behind "\\?\" anything but a drive, a share or a volume
// (NamesDiskBehindPrefix); and the pipes and mailslots of any machine
// ("\\server\pipe\x", "\\?\UNC\server\mailslot\x").
bool NamesDevice(std::wstring_view fullPath);

// The arguments part of a process command line: everything after the program
// name (quoted or not), without the blanks that separate the two.
std::string ArgumentsOf(const std::string& commandLine);

}  // namespace common
