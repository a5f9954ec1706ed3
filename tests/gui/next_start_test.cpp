// The program's next start. The first start writes a manifest beside the
// program; from then on Windows binds the common controls that manifest names
// whenever the program starts, and the window must still come up whole.
#include <gtest/gtest.h>

#include "tests/gui/harness.h"
#include "tests/gui/session.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

TEST(NextStart, WithItsManifestTheWindowHasEveryControlAndConverts) {
    AppFolder app({true, true}, "kestrimond");
    {
        Program first(app.program());
        HWND window = first.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(FileExists(app / "Kestrimond GUI.exe.manifest"));
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(first.WaitForExit());
    }

    Session session(app);
    ASSERT_NE(session.window, nullptr);
    for (const int id : {control_ids::kTxtISO, control_ids::kCmdBrowse, control_ids::kCmdConvert,
                         control_ids::kLblSite, control_ids::kLblReadme, control_ids::kImgLogo}) {
        HWND control = Control(session.window, id);
        EXPECT_TRUE(control != nullptr && IsWindowVisible(control)) << "control " << id;
    }
    TempFolder images;
    WriteFile(images / "game.iso", "image");
    session.Release();
    session.Convert(images / "game.iso");
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 1; }));
    EXPECT_EQ(RunsIn(session.log)[0].commandLine,
              app / "kestrimond.exe" + " \"" + images / "game.iso" + "\"");
}

}  // namespace
}  // namespace gui_test
