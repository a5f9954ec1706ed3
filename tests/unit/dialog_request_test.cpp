#include "dialogs/request.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Tavro_CommonDialog;
using namespace std::string_literals;

constexpr std::uint32_t kRecordSize = 76;

// A request as the image selection leaves it before its first dialog.
RequestRecord CallerRequest() {
    RequestRecord request;
    request.lpstrFilter = "ISO Files (*.iso)\0*.iso\0\0"s;
    request.lpstrTitle = "Select your PSX Image";
    request.lpstrInitialDir = "C:\\Tools\\";
    return request;
}

// What a dialog does to the request when the user picks C:\isos\game.iso
// with the second filter showing.
void PickGameIso(RequestRecord& request) {
    const std::string path = "C:\\isos\\game.iso\0"s;
    request.lpstrFile.replace(0, path.size(), path);
    request.lpstrFileTitle.replace(0, 9, "game.iso\0"s);
    request.nFileOffset = 8;
    request.nFilterIndex = 2;
}

TEST(PrepareRequest, FirstUseGivesFreshBuffersAndTheProgramsFlags) {
    RequestRecord request = CallerRequest();
    request.Flags = 0x1;  // whatever was stored is replaced
    PrepareRequest(request, kRecordSize);

    EXPECT_EQ(request.lStructSize, kRecordSize);
    EXPECT_EQ(request.lpstrFile, std::string(2047, ' ') + '\0');
    EXPECT_EQ(request.nMaxFile, 2048u);
    EXPECT_EQ(request.lpstrFileTitle, std::string(2048, ' '));
    EXPECT_EQ(request.nMaxFileTitle, 2048u);
    EXPECT_EQ(request.Flags, 0x382204u);
    EXPECT_EQ(request.nFilterIndex, 0u);
    // The caller's fields are not the preparation's business.
    EXPECT_EQ(request.lpstrFilter, CallerRequest().lpstrFilter);
    EXPECT_EQ(request.lpstrTitle, "Select your PSX Image");
    EXPECT_EQ(request.lpstrInitialDir, "C:\\Tools\\");
}

TEST(PrepareRequest, LaterUsesOfferThePreviousBufferAndKeepTheFilterIndex) {
    RequestRecord request = CallerRequest();
    PrepareRequest(request, kRecordSize);
    PickGameIso(request);
    const std::string returned = request.lpstrFile;
    request.Flags = 0x382204 | 0x400;  // the dialog may report back through the flags

    PrepareRequest(request, kRecordSize);
    EXPECT_EQ(request.nMaxFile, 4096u);
    EXPECT_EQ(request.lpstrFile, returned + std::string(2047, ' ') + '\0');
    EXPECT_EQ(request.lpstrFile.compare(0, 17, "C:\\isos\\game.iso\0"s), 0);
    EXPECT_EQ(request.lpstrFileTitle, std::string(2048, ' '));
    EXPECT_EQ(request.Flags, 0x382204u);
    EXPECT_EQ(request.nFilterIndex, 2u);

    PrepareRequest(request, kRecordSize);
    EXPECT_EQ(request.nMaxFile, 6144u);
    EXPECT_EQ(request.lpstrFile.size(), 6144u);
}

TEST(PrepareRequest, AnInitialFileNameLeadsTheBuffer) {
    RequestRecord request = CallerRequest();
    request.lpstrFile = "start.iso";
    PrepareRequest(request, kRecordSize);
    EXPECT_EQ(request.lpstrFile, "start.iso" + std::string(2047, ' ') + '\0');
    EXPECT_EQ(request.nMaxFile, 2057u);
}

TEST(SelectionOf, AFileTitleMeansOneFileAndBlanksMeanSeveral) {
    RequestRecord request = CallerRequest();
    PrepareRequest(request, kRecordSize);
    PickGameIso(request);
    const OpenFileResult single = SelectionOf(request);
    EXPECT_EQ(single.Cancelled, kFalse);
    EXPECT_EQ(single.Folder, "C:\\isos\\");
    EXPECT_EQ(single.FileNames[1], "game.iso");

    PrepareRequest(request, kRecordSize);
    const std::string several = "C:\\isos\0a.iso\0b.iso\0\0"s;
    request.lpstrFile.replace(0, several.size(), several);
    const OpenFileResult multiple = SelectionOf(request);
    EXPECT_EQ(multiple.Cancelled, kFalse);
    EXPECT_EQ(multiple.Folder, "C:\\isos");
    EXPECT_EQ(multiple.FileCount, 2);

    // A NUL is not a blank: a title holding only one still means one file.
    request.lpstrFileTitle[100] = '\0';
    request.lpstrFile.replace(0, 11, "C:\\b.iso\0\0\0"s);
    request.nFileOffset = 3;
    EXPECT_EQ(SelectionOf(request).Folder, "C:\\");
}

// A cancel keeps the last selection for the next dialog; a selection too long
// for the buffer, over whose start the dialog wrote the length it needed, does not.
TEST(NoSelection, HoldsNothingAndKeepsTheBufferUnlessItWasTooSmall) {
    for (const std::uint32_t reason : {0u, kBufferTooSmall}) {
        SCOPED_TRACE(reason);
        RequestRecord request = CallerRequest();
        PrepareRequest(request, kRecordSize);
        PickGameIso(request);
        request.lpstrFile.replace(0, 2, "\x0C\x30"s);
        const std::string before = request.lpstrFile;
        const OpenFileResult result = NoSelection(request, reason);
        EXPECT_EQ(result.Cancelled, kTrue);
        EXPECT_EQ(result.FileCount, 0);
        EXPECT_EQ(result.FileNames.size(), 0u);
        EXPECT_EQ(result.Folder, "");
        PrepareRequest(request, kRecordSize);
        EXPECT_EQ(request.lpstrFile, reason == 0 ? before + std::string(2047, ' ') + '\0'
                                                 : std::string(2047, ' ') + '\0');
    }
}

}  // namespace
