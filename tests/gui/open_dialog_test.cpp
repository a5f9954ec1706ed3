// The browse button of the real program and the open-file dialog it shows,
// driven from outside.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "tests/gui/harness.h"
#include "tests/gui/probe_client.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

constexpr int kFilterList = 0x470;   // cmb1
constexpr int kFileNameBox = 0x47C;  // cmb13

// The dialog's controls are Unicode windows: their items are read in UTF-16.
std::string FilterItem(HWND list, int index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    SendMessageTimeoutW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &length);
    return std::string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

std::vector<std::string> FilterItems(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    std::vector<std::string> items;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        items.push_back(FilterItem(list, i));
    }
    return items;
}

// The window's rectangle once it has kept it for a moment.
RECT SettledRect(HWND window) {
    RECT now{};
    GetWindowRect(window, &now);
    RECT before{};
    int steady = 0;
    WaitUntil([&] {
        before = now;
        Sleep(50);
        GetWindowRect(window, &now);
        steady = EqualRect(&before, &now) ? steady + 1 : 0;
        return steady >= 6;
    });
    return now;
}

// The program, its main window showing, with the controls the tests press.
struct BrowseSession {
    explicit BrowseSession(const AppFolder& app, const StartOptions& options = {})
        : program(app.program(), options),
          window(program.WaitForMainWindow()),
          txtISO(Control(window, control_ids::kTxtISO)),
          cmdBrowse(Control(window, control_ids::kCmdBrowse)) {}

    // Presses "..." and waits for the dialog (nullptr when none shows).
    HWND OpenDialog() const {
        Click(cmdBrowse);
        HWND dialog = nullptr;
        WaitUntil([&] {
            dialog = program.TopLevelWindow(texts::kDialogTitle, "#32770");
            return dialog != nullptr;
        });
        return dialog;
    }

    // Types `names` as the dialog's file name, confirms and waits for it to close.
    static void Choose(HWND dialog, const std::string& names) {
        SetText(Control(dialog, kFileNameBox), names);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stays open";
    }

    static void Cancel(HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stays open";
    }

    // True once the text box holds `text`.
    bool ImageBecomes(const std::string& text) const {
        return WaitUntil([&] { return TextOf(txtISO) == text; });
    }

    Program program;
    HWND window;
    HWND txtISO;
    HWND cmdBrowse;
};

// The first move of the dialog made the way the centring hook makes it (no
// size change, no z-order change, no activation), as the probe recorded it.
bool HookMove(const std::string& moves, RECT* placed) {
    std::istringstream lines(moves);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        unsigned flags = 0;
        RECT r{};
        words >> word >> std::hex >> flags >> std::dec >> r.left >> r.top >> r.right >> r.bottom;
        constexpr unsigned kHookFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (word == "move" && (flags & kHookFlags) == kHookFlags && !(flags & SWP_NOMOVE)) {
            *placed = r;
            return true;
        }
    }
    return false;
}

// Halves in double precision, rounded to the nearest whole pixel with halves
// going to the even one.
LONG CentredStart(LONG ownerStart, LONG ownerEnd, LONG dialogStart, LONG dialogEnd) {
    return static_cast<LONG>(std::nearbyint((ownerEnd - ownerStart) / 2.0 + ownerStart -
                                            (dialogEnd - dialogStart) / 2.0));
}

// The window's centre, doubled to stay in whole pixels.
POINT DoubleCentre(const RECT& r) {
    return POINT{r.left + r.right, r.top + r.bottom};
}

TEST(BrowseDialog, ShowsTheImageFiltersInTheProgramsFolderCentredOverTheWindow) {
    AppFolder app;
    WriteFile(app / "game.iso", "");
    TempFolder records("kestrimond probe");
    const std::string report = records / "report.txt";
    BrowseSession session(app, StartOptions{"", {{kProbeOut, report}}});
    ASSERT_NE(session.window, nullptr);
    // Records where the dialog is put, before it changes its own size.
    ASSERT_EQ(ProbeProgram(session.program, report)["watching"], "1");
    // Away from the screen's centre, so that centring on the screen would show.
    SetWindowPos(session.window, nullptr, 40, 420, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] {
        RECT r{};
        GetWindowRect(session.window, &r);
        return r.left == 40 && r.top == 420;
    }));
    RECT owner{};
    GetWindowRect(session.window, &owner);

    HWND dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr) << "no dialog captioned " << texts::kDialogTitle;
    EXPECT_EQ(
        FilterItems(Control(dialog, kFilterList)),
        (std::vector<std::string>{"ISO Files (*.iso)", "IMG Files (*.img)", "BIN Files (*.bin)"}));
    DWORD_PTR shown = 0;
    SendMessageTimeoutW(Control(dialog, kFilterList), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &shown);
    EXPECT_EQ(shown, 0u);

    // Where the hook put it: centred by the rounding rule for the size the
    // dialog had then.
    RECT moved{};
    ASSERT_TRUE(WaitUntil([&] { return HookMove(ReadFile(report + ".moves"), &moved); }))
        << "no move of the dialog by the hook; seen:\n"
        << ReadFile(report + ".moves");
    EXPECT_EQ(moved.left, CentredStart(owner.left, owner.right, moved.left, moved.right));
    EXPECT_EQ(moved.top, CentredStart(owner.top, owner.bottom, moved.top, moved.bottom));

    // The dialog still changes its size after the hook has placed it, so its
    // centre may drift from the owner's by half that change.
    constexpr LONG kDrift = 2 * 16;
    const RECT placed = SettledRect(dialog);
    const POINT centre = DoubleCentre(placed);
    const POINT ownerCentre = DoubleCentre(owner);
    EXPECT_LE(std::labs(centre.x - ownerCentre.x), kDrift)
        << "dialog at " << placed.left << "," << placed.top << " over a window at " << owner.left
        << "," << owner.top;
    EXPECT_LE(std::labs(centre.y - ownerCentre.y), kDrift)
        << "dialog at " << placed.left << "," << placed.top << " over a window at " << owner.left
        << "," << owner.top;

    // A bare name is looked for in the folder the dialog starts in.
    BrowseSession::Choose(dialog, "game.iso");
    EXPECT_TRUE(session.ImageBecomes(app / "game.iso")) << TextOf(session.txtISO);
}

TEST(BrowseDialog, TakesTheFirstOfSeveralFiles) {
    AppFolder app;
    WriteFile(app / "a.iso", "");
    WriteFile(app / "b.iso", "");
    BrowseSession session(app);
    ASSERT_NE(session.window, nullptr);
    HWND dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    BrowseSession::Choose(dialog, "\"a.iso\" \"b.iso\"");
    EXPECT_TRUE(session.ImageBecomes(app / "a.iso")) << TextOf(session.txtISO);
}

TEST(BrowseDialog, CancelKeepsTheTextAndTheNextDialogOffersTheLastSelection) {
    AppFolder app;
    WriteFile(app / "game.iso", "");
    BrowseSession session(app);
    ASSERT_NE(session.window, nullptr);

    // The first dialog, left on the second filter.
    HWND dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    HWND filters = Control(dialog, kFilterList);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(filters, CB_SETCURSEL, 1, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFilterList, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(filters));
    BrowseSession::Choose(dialog, "game.iso");
    ASSERT_TRUE(session.ImageBecomes(app / "game.iso")) << TextOf(session.txtISO);

    SetText(session.txtISO, "typed by hand");
    dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(Control(dialog, kFileNameBox)), "game.iso");
    SendMessageTimeoutW(Control(dialog, kFilterList), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &answer);
    EXPECT_EQ(answer, 1u) << "the filter the first dialog stored";
    BrowseSession::Cancel(dialog);

    // The press after it can only be handled once the cancelled one is over.
    dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(session.txtISO), "typed by hand");
    BrowseSession::Cancel(dialog);
}

// Names "1.iso" to "<count>.iso", as typed into the dialog's file name box.
std::string QuotedNames(int count) {
    std::string names;
    for (int i = 1; i <= count; ++i) {
        names += "\"" + std::to_string(i) + ".iso\" ";
    }
    return names;
}

TEST(BrowseDialog, MoreThan200FilesChangeNothingAndShowNoMessage) {
    AppFolder app;
    for (int i = 1; i <= 201; ++i) {
        WriteFile(app / (std::to_string(i) + ".iso"), "");
    }
    BrowseSession session(app);
    ASSERT_NE(session.window, nullptr);

    HWND dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    BrowseSession::Choose(dialog, QuotedNames(200));
    ASSERT_TRUE(session.ImageBecomes(app / "1.iso")) << "200 files are taken";

    SetText(session.txtISO, "unchanged");
    dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr);
    BrowseSession::Choose(dialog, QuotedNames(201));

    // The handler is over once the next press opens a dialog; a message box
    // would still be waiting for its OK.
    dialog = session.OpenDialog();
    ASSERT_NE(dialog, nullptr) << "the program no longer answers";
    EXPECT_EQ(session.program.MessageBox(), nullptr);
    EXPECT_EQ(TextOf(session.txtISO), "unchanged");
    BrowseSession::Cancel(dialog);
    EXPECT_TRUE(session.program.Running());
}

}  // namespace
}  // namespace gui_test
