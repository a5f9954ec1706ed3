// The icon and logo files that the resource script compiles into the program,
// read from the source tree and checked field by field; and the canary of the
// program's stack protector.
#include "resources/resource_ids.h"
#include "ui/stack_guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kIconImageBytes = 40 + 256 * 4 + 32 * 32 + 32 * 32 / 8;
constexpr std::size_t kLogoBytes = 7534;
constexpr std::size_t kProfileBytes = 3144;

Bytes ReadResource(const char* name) {
    std::ifstream in(std::string(KESTRIMOND_RESOURCES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

unsigned Le16(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return Le16(b, at) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

unsigned Be16(const Bytes& b, std::size_t at) {
    return b[at] << 8 | b[at + 1];
}

std::uint32_t Be32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(Be16(b, at)) << 16 | Be16(b, at + 2);
}

bool HasAt(const Bytes& b, std::size_t at, const char* text, std::size_t length) {
    return at + length <= b.size() && std::memcmp(b.data() + at, text, length) == 0;
}

// ---------------------------------------------------------------------------
// The logo

// One marker segment of a JPEG: its marker and its contents after the length.
struct Segment {
    unsigned marker;
    Bytes body;
};

// The marker segments from after SOI up to and including the start of scan.
// Fails the test if a segment runs past the end or a marker is missing.
std::vector<Segment> JpegSegments(const Bytes& jpeg) {
    std::vector<Segment> segments;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) {
            ADD_FAILURE() << "no marker at offset " << at;
            break;
        }
        const unsigned marker = jpeg[at + 1];
        const std::size_t length = Be16(jpeg, at + 2);
        if (length < 2 || at + 2 + length > jpeg.size()) {
            ADD_FAILURE() << "segment " << std::hex << marker << " runs past the end";
            break;
        }
        segments.push_back({marker, Bytes(jpeg.begin() + at + 4, jpeg.begin() + at + 2 + length)});
        if (marker == 0xDA) {
            break;
        }
        at += 2 + length;
    }
    return segments;
}

// The body of the first segment with this marker whose contents start with
// `prefix` (of `length` bytes), or an empty one.
Bytes FindSegment(const std::vector<Segment>& segments, unsigned marker, const char* prefix,
                  std::size_t length) {
    for (const Segment& s : segments) {
        if (s.marker == marker && HasAt(s.body, 0, prefix, length)) {
            return s.body;
        }
    }
    return {};
}

struct Logo : ::testing::Test {
    void SetUp() override {
        jpeg = ReadResource("logo.jpg");
        ASSERT_EQ(jpeg.size(), kLogoBytes);
        segments = JpegSegments(jpeg);
        ASSERT_FALSE(segments.empty());
    }
    Bytes jpeg;
    std::vector<Segment> segments;
};

TEST_F(Logo, IsAWholeJpegWithItsHeaderSegmentsFirst) {
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);  // SOI
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg.back(), 0xD9);              // EOI
    EXPECT_EQ(segments.back().marker, 0xDAu);  // the walk reached the scan
    ASSERT_GE(segments.size(), 3u);
    EXPECT_EQ(segments[0].marker, 0xE0u);
    EXPECT_EQ(segments[1].marker, 0xE1u);
    EXPECT_EQ(segments[2].marker, 0xE2u);
}

TEST_F(Logo, JfifHeaderGives96DotsPerInch) {
    const Bytes jfif = FindSegment(segments, 0xE0, "JFIF\0", 5);
    ASSERT_EQ(jfif.size(), 14u);
    EXPECT_EQ(jfif[5], 1);  // version 1.01
    EXPECT_EQ(jfif[6], 1);
    EXPECT_EQ(jfif[7], 1);  // dots per inch
    EXPECT_EQ(Be16(jfif, 8), 96u);
    EXPECT_EQ(Be16(jfif, 10), 96u);
    EXPECT_EQ(jfif[12], 0);  // no thumbnail
    EXPECT_EQ(jfif[13], 0);
}

// Reads a TIFF structure in either byte order; offsets count from its header.
struct Tiff {
    Bytes b;
    bool little;
    unsigned U16(std::size_t at) const { return little ? Le16(b, at) : Be16(b, at); }
    std::uint32_t U32(std::size_t at) const { return little ? Le32(b, at) : Be32(b, at); }
};

TEST_F(Logo, ExifBlockIsAValidTiffStructure) {
    const Bytes exif = FindSegment(segments, 0xE1, "Exif\0\0", 6);
    ASSERT_GT(exif.size(), 6u + 8u);
    Tiff tiff{Bytes(exif.begin() + 6, exif.end()), exif[6] == 'I'};
    ASSERT_TRUE(HasAt(tiff.b, 0, "II", 2) || HasAt(tiff.b, 0, "MM", 2));
    EXPECT_EQ(tiff.U16(2), 42u);
    const std::uint32_t ifd0 = tiff.U32(4);
    ASSERT_GE(ifd0, 8u);
    ASSERT_LE(ifd0 + 2, tiff.b.size());
    const unsigned count = tiff.U16(ifd0);
    ASSERT_GT(count, 0u);
    ASSERT_LE(ifd0 + 2 + 12 * count + 4, tiff.b.size());

    bool software = false;
    unsigned resolutions = 0;
    unsigned previousTag = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = ifd0 + 2 + 12 * i;
        const unsigned tag = tiff.U16(entry);
        EXPECT_GT(tag, previousTag) << "IFD0 entries are in ascending order";
        previousTag = tag;
        const unsigned type = tiff.U16(entry + 2);
        const std::uint32_t n = tiff.U32(entry + 4);
        if (tag == 0x011A || tag == 0x011B) {  // XResolution, YResolution
            ASSERT_EQ(type, 5u);
            const std::uint32_t at = tiff.U32(entry + 8);
            ASSERT_LE(at + 8, tiff.b.size());
            EXPECT_EQ(tiff.U32(at), 96u * tiff.U32(at + 4));
            ++resolutions;
        } else if (tag == 0x0128) {  // ResolutionUnit
            EXPECT_EQ(tiff.U16(entry + 8), 2u);
        } else if (tag == 0x0131) {  // Software
            ASSERT_EQ(type, 2u);
            const std::size_t at = n > 4 ? tiff.U32(entry + 8) : entry + 8;
            ASSERT_LE(at + n, tiff.b.size());
            EXPECT_EQ(std::string(tiff.b.begin() + at, tiff.b.begin() + at + n),
                      std::string("Kestrimond GUI", 15));
            software = true;
        }
    }
    EXPECT_EQ(resolutions, 2u);
    EXPECT_TRUE(software);
}

TEST_F(Logo, CarriesAnSrgbColourProfile) {
    const Bytes app2 = FindSegment(segments, 0xE2, "ICC_PROFILE\0", 12);
    ASSERT_GT(app2.size(), 14u);
    EXPECT_EQ(app2[12], 1);  // the first part
    EXPECT_EQ(app2[13], 1);  // of one
    const Bytes profile(app2.begin() + 14, app2.end());
    ASSERT_EQ(profile.size(), kProfileBytes);
    EXPECT_EQ(Be32(profile, 0), kProfileBytes);
    EXPECT_TRUE(HasAt(profile, 12, "mntr", 4));
    EXPECT_TRUE(HasAt(profile, 16, "RGB ", 4));
    EXPECT_TRUE(HasAt(profile, 20, "XYZ ", 4));
    EXPECT_TRUE(HasAt(profile, 36, "acsp", 4));

    const std::uint32_t tags = Be32(profile, 128);
    ASSERT_LE(128 + 4 + 12 * tags, profile.size());
    std::string description;
    for (std::uint32_t i = 0; i < tags; ++i) {
        const std::size_t entry = 128 + 4 + 12 * i;
        const std::uint32_t offset = Be32(profile, entry + 4);
        const std::uint32_t size = Be32(profile, entry + 8);
        EXPECT_EQ(offset % 4, 0u);
        ASSERT_LE(offset + size, profile.size());
        if (HasAt(profile, entry, "desc", 4)) {
            ASSERT_TRUE(HasAt(profile, offset, "desc", 4));
            const std::uint32_t length = Be32(profile, offset + 8);
            ASSERT_GT(length, 0u);
            ASSERT_LE(12 + length, size);
            // The ASCII text, without its terminating NUL.
            description.assign(profile.begin() + offset + 12,
                               profile.begin() + offset + 12 + length - 1);
        }
    }
    EXPECT_EQ(description, "sRGB IEC61966-2.1");
}

TEST_F(Logo, HasOneBaselineFrameOf134By74With420Sampling) {
    std::vector<Segment> frames;
    for (const Segment& s : segments) {
        // SOF0 to SOF15, less DHT, JPG and DAC, which share the range.
        if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 &&
            s.marker != 0xCC) {
            frames.push_back(s);
        }
    }
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].marker, 0xC0u);
    const Bytes& sof = frames[0].body;
    ASSERT_EQ(sof.size(), 6u + 3u * 3u);
    EXPECT_EQ(sof[0], 8);             // bits per sample
    EXPECT_EQ(Be16(sof, 1), 74u);     // height
    EXPECT_EQ(Be16(sof, 3), 134u);    // width
    EXPECT_EQ(sof[5], 3);             // components
    EXPECT_EQ(sof[6 + 1], 0x22);      // luma, two by two
    EXPECT_EQ(sof[6 + 3 + 1], 0x11);  // the chroma, one by one
    EXPECT_EQ(sof[6 + 6 + 1], 0x11);
}

// ---------------------------------------------------------------------------
// The icon

TEST(Icon, FileHoldsOne32By32ImageOf256Colours) {
    const Bytes ico = ReadResource("kestrimond.ico");
    ASSERT_EQ(ico.size(), 6 + 16 + kIconImageBytes);
    EXPECT_EQ(Le16(ico, 0), 0u);   // reserved
    EXPECT_EQ(Le16(ico, 2), 1u);   // an icon, not a cursor
    EXPECT_EQ(Le16(ico, 4), 1u);   // one image
    EXPECT_EQ(ico[6], 32);         // width
    EXPECT_EQ(ico[7], 32);         // height
    EXPECT_EQ(ico[8], 0);          // colour count: 0 for 256
    EXPECT_EQ(Le16(ico, 10), 1u);  // planes
    EXPECT_EQ(Le16(ico, 12), 8u);  // bits per pixel
    EXPECT_EQ(Le32(ico, 14), kIconImageBytes);
    EXPECT_EQ(Le32(ico, 18), 22u);  // the image's offset
}

TEST(Icon, ResourceImageIsTheFilesImage) {
    const Bytes ico = ReadResource("kestrimond.ico");
    const Bytes image = ReadResource("icon-image.bin");
    ASSERT_EQ(image.size(), kIconImageBytes);
    ASSERT_EQ(ico.size(), 22 + kIconImageBytes);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), ico.begin() + 22));
}

TEST(Icon, ImageIsAnXorAndMaskBitmap) {
    const Bytes image = ReadResource("icon-image.bin");
    ASSERT_EQ(image.size(), kIconImageBytes);
    EXPECT_EQ(Le32(image, 0), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(Le32(image, 4), 32u);
    EXPECT_EQ(Le32(image, 8), 64u);  // the colours and the mask, one above the other
    EXPECT_EQ(Le16(image, 12), 1u);
    EXPECT_EQ(Le16(image, 14), 8u);
    EXPECT_EQ(Le32(image, 16), 0u);  // not compressed
}

TEST(Icon, TransparentPixelsAreBlackSoTheyLeaveTheScreenAsItIs) {
    const Bytes image = ReadResource("icon-image.bin");
    ASSERT_EQ(image.size(), kIconImageBytes);
    const std::size_t palette = 40;
    const std::size_t indices = palette + 256 * 4;
    const std::size_t mask = indices + 32 * 32;
    int transparent = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool masked = image[mask + y * 4 + x / 8] & (0x80 >> (x % 8));
            if (!masked) {
                continue;
            }
            ++transparent;
            const std::size_t colour = palette + 4 * image[indices + y * 32 + x];
            EXPECT_EQ(image[colour] | image[colour + 1] | image[colour + 2], 0)
                << "pixel " << x << "," << y;
        }
    }
    // Some background is cut away, and the shape itself is left.
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32 / 2);
}

TEST(Icon, GroupNamesTheImageResource) {
    const Bytes group = ReadResource("icon-group.bin");
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(Le16(group, 0), 0u);
    EXPECT_EQ(Le16(group, 2), 1u);
    EXPECT_EQ(Le16(group, 4), 1u);
    EXPECT_EQ(group[6], 32);
    EXPECT_EQ(group[7], 32);
    EXPECT_EQ(group[8], 0);
    EXPECT_EQ(Le16(group, 10), 1u);
    EXPECT_EQ(Le16(group, 12), 8u);
    EXPECT_EQ(Le32(group, 14), kIconImageBytes);
    EXPECT_EQ(Le16(group, 18), static_cast<unsigned>(KESTRIMOND_ICON_IMAGE));
}

}  // namespace

// ---------------------------------------------------------------------------
// The stack protector's canary, seeded at every start

TEST(StackCanary, HasAZeroLowByteAndTakesBothHalvesOfTheSeed) {
    EXPECT_EQ(StackCanary(0x2B992DDFA232ull) & 0xFF, 0u);
    EXPECT_EQ(StackCanary(~0ull) & 0xFF, 0u);
    EXPECT_NE(StackCanary(0x1ull << 40), StackCanary(0));
    EXPECT_NE(StackCanary(0x1ull << 8), StackCanary(0));
}
