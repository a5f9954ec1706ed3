#include "ui/shell_image.h"

#include <gtest/gtest.h>

#include <map>

#include "ui/messages.h"

namespace {

using shell_image::ChooseImageText;

// A code page that spells the first 256 characters, as code page 1252 spells
// most of them, and a disk whose short names the test sets.
class FakeNames : public shell_image::NameSource {
public:
    std::map<std::wstring, std::wstring> shortNames;  // the existing paths
    mutable int shortNamesAsked = 0;

    std::optional<std::string> Spell(const std::wstring& name) const override {
        std::string narrow;
        for (const wchar_t c : name) {
            if (static_cast<unsigned>(c) > 0xFF) {
                return std::nullopt;
            }
            narrow += static_cast<char>(c);
        }
        return narrow;
    }
    std::string Render(const std::wstring& name) const override {
        std::string narrow;
        for (const wchar_t c : name) {
            narrow += static_cast<unsigned>(c) > 0xFF ? '?' : static_cast<char>(c);
        }
        return narrow;
    }
    std::optional<std::wstring> ShortNameOf(const std::wstring& path) const override {
        ++shortNamesAsked;
        const auto found = shortNames.find(path);
        return found == shortNames.end() ? std::nullopt : std::optional(found->second);
    }
};

const std::wstring kJapanese = L"C:\\isos\\\u30B2\u30FC\u30E0.bin";  // "game" in katakana

TEST(ChooseImageText, ANameTheCodePageSpellsIsUsedAsItIs) {
    FakeNames names;
    names.shortNames[L"C:\\My isos\\caf\u00E9 game.iso"] = L"C:\\MYISOS~1\\CAFGAM~1.ISO";
    const auto text = ChooseImageText(L"C:\\My isos\\caf\u00E9 game.iso", names);
    EXPECT_EQ(text.boxText, "C:\\My isos\\caf\xE9 game.iso");
    EXPECT_EQ(text.message, "");
    EXPECT_EQ(names.shortNamesAsked, 0);
    EXPECT_EQ(ChooseImageText(L"", names).boxText, "");
}

TEST(ChooseImageText, OtherNamesTakeTheShortNameOrTheMessage) {
    FakeNames names;
    names.shortNames[kJapanese] = L"C:\\isos\\____~5BW.BIN";
    auto text = ChooseImageText(kJapanese, names);
    EXPECT_EQ(text.boxText, "C:\\isos\\____~5BW.BIN");
    EXPECT_EQ(text.message, "");

    // A volume without short names gives the path back unchanged; so may a
    // short name of the folders alone.
    for (const std::wstring& unshortened :
         {kJapanese, std::wstring(L"C:\\ISOS~1\\\u30B2\u30FC\u30E0.bin")}) {
        names.shortNames[kJapanese] = unshortened;
        text = ChooseImageText(kJapanese, names);
        EXPECT_FALSE(text.boxText);
        EXPECT_EQ(text.message,
                  messages::NoShortName("C:\\isos\\???.bin", messages::PathProblem::Characters));
    }

    // A name that names nothing still goes into the box, where the conversion
    // reports it missing; its '?' can name no other file.
    names.shortNames.clear();
    text = ChooseImageText(kJapanese, names);
    EXPECT_EQ(text.boxText, "C:\\isos\\???.bin");
    EXPECT_EQ(text.message, "");
}

}  // namespace
