#pragma once

// The main window's control identifiers. None is IDOK (1) or IDCANCEL (2), so
// Enter and Escape in the window press no button.
namespace control_ids {

constexpr int kTxtISO = 101;
constexpr int kCmdBrowse = 102;
constexpr int kCmdConvert = 103;
constexpr int kLblSite = 104;
constexpr int kLblReadme = 105;
constexpr int kImgLogo = 106;
// The hidden label that names the text box for screen readers.
constexpr int kLblISO = 107;

}  // namespace control_ids
