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
// (control characters and " * < > ? |): such a text can name no file. Asked of
// the wide text: in a double-byte code page the second byte of a character
// may equal "|" (the "po" of Shift-JIS is 0x83 0x7C).
bool HoldsInvalidPathCharacters(const std::wstring& path);

// The arguments part of a process command line: everything after the program
// name (quoted or not), without the blanks that separate the two.
std::string ArgumentsOf(const std::string& commandLine);

}  // namespace common
