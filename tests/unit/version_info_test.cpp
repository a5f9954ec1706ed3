#include "common/version_info.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Dword(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The version block of the program's compiled resource script (a .res file:
// a list of entries, each a header and its data, aligned to four bytes).
std::vector<unsigned char> VersionBlock() {
    const std::vector<unsigned char> res = ReadFile(KESTRIMOND_RES_FILE);
    std::size_t at = 0;
    while (at + 16 <= res.size()) {
        const std::uint32_t dataSize = Dword(res, at);
        const std::uint32_t headerSize = Dword(res, at + 4);
        // The type is numeric when it starts with 0xFFFF; 16 is a version block.
        const bool version = Dword(res, at + 8) == (0xFFFFu | 16u << 16);
        if (version) {
            return std::vector<unsigned char>(res.begin() + at + headerSize,
                                              res.begin() + at + headerSize + dataSize);
        }
        at = (at + headerSize + dataSize + 3) & ~std::size_t{3};
    }
    return {};
}

TEST(VersionInfo, ReadsTheProgramsOwnVersionBlock) {
    const std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    const common::VersionInfo info = common::ParseVersionInfo(block.data(), block.size());
    EXPECT_EQ(info.major, 1);
    EXPECT_EQ(info.minor, 0);
    EXPECT_EQ(info.revision, 0);
    EXPECT_EQ(info.companyName, u"quill_marsh58");
    // The block has no file description.
    EXPECT_EQ(info.fileDescription, u"");
}

TEST(VersionInfo, ATruncatedBlockGivesWhatItHoldsAndNoMore) {
    const std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    for (std::size_t size = 0; size < block.size(); ++size) {
        // A copy of exactly `size` bytes, so that a read past it would be caught by a checker.
        const std::vector<unsigned char> part(block.begin(), block.begin() + size);
        const common::VersionInfo info = common::ParseVersionInfo(part.data(), part.size());
        EXPECT_TRUE(info.companyName.empty() || info.companyName == u"quill_marsh58");
    }
    const common::VersionInfo none = common::ParseVersionInfo(nullptr, 0);
    EXPECT_EQ(none.major, 0);
}

}  // namespace
