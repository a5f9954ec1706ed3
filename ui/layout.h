#pragma once

// The main window is laid out in twips, the unit of its design: 1440 to the
// inch, so 15 to the pixel at 96 dots per inch.
namespace layout {

constexpr int kTwipsPerInch = 1440;

// A rectangle in twips, from the top-left corner of the client area.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// A rectangle in pixels.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

// Twips to pixels at `dpi`, rounded to the nearest pixel (halves away from zero).
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

// Converts the edges rather than the sizes, so that controls that meet or
// overlap in twips still do so in pixels at any dpi.
constexpr PixelRect ToPixels(TwipsRect r, int dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return PixelRect{left, top, TwipsToPixels(r.left + r.width, dpi) - left,
                     TwipsToPixels(r.top + r.height, dpi) - top};
}

// The height of a font of `hundredthsOfPoint` (825 for 8.25 pt) as a LOGFONT
// wants it: negative, meaning the character height in pixels at `dpi`.
constexpr int FontHeight(int hundredthsOfPoint, int dpi) {
    return -static_cast<int>((static_cast<long long>(hundredthsOfPoint) * dpi + 3600) / 7200);
}

// The window's design, in twips.
constexpr TwipsRect kClientArea{0, 0, 7770, 1125};
constexpr TwipsRect kLblSite{2040, 0, 1605, 240};
constexpr TwipsRect kLblReadme{6480, 0, 1260, 240};
constexpr TwipsRect kTxtISO{2160, 480, 3615, 375};
constexpr TwipsRect kCmdBrowse{5760, 480, 375, 375};
constexpr TwipsRect kCmdConvert{6360, 480, 1335, 375};
// The logo's place until the picture is decoded; then it takes the picture's size.
constexpr TwipsRect kImgLogo{0, 0, 2010, 1110};

}  // namespace layout
