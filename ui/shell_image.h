#pragma once

#include <optional>
#include <string>

// A path handed over by the shell (a drop, the command line) arrives as a wide
// name, but the converter is started through the ANSI command line. This
// decides what of such a name goes into the text box.
namespace shell_image {

// What Windows can tell about a wide name; a fake stands in for it in tests.
class NameSource {
public:
    virtual ~NameSource() = default;
    // `name` in the ANSI code page when it converts back to exactly `name`;
    // nothing when the code page cannot spell it (a best-fit look-alike would
    // name another file, so it does not count).
    virtual std::optional<std::string> Spell(const std::wstring& name) const = 0;
    // `name` in the ANSI code page, '?' for each character it cannot spell.
    virtual std::string Render(const std::wstring& name) const = 0;
    // The short (8.3) form of an existing path; the path unchanged where the
    // volume keeps no short names; nothing when no file or folder has it.
    virtual std::optional<std::wstring> ShortNameOf(const std::wstring& path) const = 0;
};

// Either the text for the text box or, when no ANSI text can name the file, the
// message to show instead (the text box then keeps what it held).
struct ImageText {
    std::optional<std::string> boxText;
    std::string message;
};

// The name as it is when the code page can spell it and the ANSI functions
// take its length; else its short name, which is plain ASCII, shorter and
// names the same file; else, for a path that names nothing, its rendering,
// which the conversion will report as missing like any other; else the
// message, which says why.
ImageText ChooseImageText(const std::wstring& path, const NameSource& names);

}  // namespace shell_image
