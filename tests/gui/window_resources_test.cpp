// What the main window is made of, read inside the running program: fonts and
// icon, at whatever DPI the Wine prefix sets.
#include <gtest/gtest.h>

#include "tests/gui/harness.h"
#include "tests/gui/probe_client.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

// A font as the probe reports it: face|height|weight|italic|underline|strike out|charset.
std::string Font(const std::string& face, int height) {
    return face + "|" + std::to_string(height) + "|400|0|0|0|0";
}

TEST(WindowResources, FontsAndIconAsDesigned) {
    AppFolder app;
    TempFolder records("kestrimond probe");
    const std::string reportPath = records / "report.txt";
    Program program(app.program(), StartOptions{"", {{kProbeOut, reportPath}}});
    ASSERT_NE(program.WaitForMainWindow(), nullptr);
    auto report = ProbeProgram(program, reportPath);
    ASSERT_EQ(report.count("end"), 1u) << "the probe did not report";

    // From its start on, a look at a drive without its disc fails quietly, the
    // shell's threads behind the open-file dialog included.
    EXPECT_EQ(report["errormode"], "1");  // SEM_FAILCRITICALERRORS

    // 8.25 pt is the character height in pixels at the program's DPI: 11 at 96.
    const int dpi = std::stoi(report["dpi"]);
    const int height = -(825 * dpi + 3600) / 7200;
    if (dpi == 96) {
        EXPECT_EQ(height, -11);
    }
    const std::string windowFont = Font("Trebuchet MS", height);
    EXPECT_EQ(report["font " + std::to_string(control_ids::kTxtISO)],
              Font("MS Sans Serif", height));
    for (int id : {control_ids::kCmdBrowse, control_ids::kCmdConvert, control_ids::kLblSite,
                   control_ids::kLblReadme}) {
        EXPECT_EQ(report["font " + std::to_string(id)], windowFont) << "control " << id;
    }
    EXPECT_EQ(report["font " + std::to_string(control_ids::kImgLogo)], "none");

    // The title bar and task bar show the program's own icon: 32 x 32 at 96
    // dpi, scaled by Windows beyond.
    const std::string side = std::to_string(32 * dpi / 96);
    EXPECT_EQ(report["icon big"], side + "x" + side + " 1");
    EXPECT_NE(report["icon small"].substr(0, 2), "0x") << "no small icon";

    // The logo keeps its size in inches: 134 x 74 pixels at 96 dpi.
    EXPECT_EQ(report["logo"], std::to_string(134 * dpi / 96) + "x" + std::to_string(74 * dpi / 96));
}

}  // namespace
}  // namespace gui_test
