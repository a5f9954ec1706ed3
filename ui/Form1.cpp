#include "ui/Form1.h"

#include <shellapi.h>

#include <exception>
#include <new>
#include <utility>
#include <vector>

#include "common/ansi_text.h"
#include "common/app.h"
#include "common/app_path.h"
#include "common/com_apartment.h"
#include "common/dll_function.h"
#include "common/error_box.h"
#include "dialogs/Tavro_CommonDialog.h"
#include "process/command_line.h"
#include "process/execCMD.h"
#include "ui/ansi_names.h"
#include "ui/control_ids.h"
#include "ui/dpi.h"
#include "ui/dropped_files.h"
#include "ui/logo.h"
#include "ui/main_window.h"
#include "ui/messages.h"
#include "ui/shell_image.h"
#include "visualstyle/modXPStyle2.h"

namespace {

constexpr char kWindowClass[] = "KestrimondGUI.Form1";
constexpr char kTitle[] = "Kestrimond GUI BETA - Created by quill_marsh58";
constexpr char kSiteUrl[] = "http://quillmarsh58.example.net/";
// Description and pattern of each entry, each ended by a NUL; a second NUL ends the list.
constexpr char kImageFilter[] =
    "ISO Files (*.iso)\0*.iso\0IMG Files (*.img)\0*.img\0BIN Files (*.bin)\0*.bin\0\0";
constexpr UINT kLoadLogo = WM_APP + 1;
// Posted when a conversion has ended: what was asked for during the run comes
// out of the queue before it, and is dropped.
constexpr UINT kConversionOver = WM_APP + 2;

// Clicks, taps and keys that waited while the window was busy were meant for
// a window that has since hidden, run a conversion and come back: a double
// click would otherwise convert the same image twice. Commands posted
// meanwhile are not input; the conversion flag drops them (kConversionOver).
void DiscardQueuedInput() {
    // Touch and pen input (WM_POINTERDEVICECHANGE to WM_POINTERROUTEDRELEASED),
    // which Windows 8 and later turn into mouse input only when it is handled.
    constexpr UINT kPointerFirst = 0x0238;
    constexpr UINT kPointerLast = 0x0253;
    constexpr std::pair<UINT, UINT> kInput[] = {{WM_KEYFIRST, WM_KEYLAST},
                                                {WM_MOUSEFIRST, WM_MOUSELAST},
                                                {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
                                                {kPointerFirst, kPointerLast}};
    MSG message;
    for (const auto& [first, last] : kInput) {
        while (PeekMessageA(&message, nullptr, first, last, PM_REMOVE)) {
            // PeekMessage hands out WM_QUIT whatever the range: the window was
            // closed during the run, and the program is to end.
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
        }
    }
}

}  // namespace

void EndForUnexpectedError(HWND owner, const std::exception& error) {
    common::ShowErrorBox(owner, messages::UnexpectedError(error.what()));
    App::End(1);
}

Form1::Form1() {
    Form_Initialize();
}

void Form1::Load(HINSTANCE instance) {
    main_window::RegisterWindowClass(instance, kWindowClass, WindowProc);
    main_window::CreateFrame(instance, kWindowClass, kTitle, this);
    controls_ = main_window::CreateControls(hwnd_, instance);
    LayOut(dpi::OfWindow(hwnd_));
    DescribeToScreenReaders();
    Form_Load();
}

void Form1::Show(const std::optional<std::wstring>& image) {
    const std::optional<std::string> problem = image ? PutShellImage(*image) : std::nullopt;
    main_window::ShowCentred(hwnd_, dpi_, controls_.txtISO);
    // Decoding the logo loads the OLE libraries; the window need not wait for that.
    PostMessageA(hwnd_, kLoadLogo, 0, 0);
    if (problem) {
        ShowError(*problem);
    }
}

// What screen readers hear beyond the captions.
void Form1::DescribeToScreenReaders() {
    accessible_.emplace_back(controls_.cmdBrowse,
                             AccessibleControl::Look{L"Browse for an image", false});
    accessible_.emplace_back(controls_.lblSite, AccessibleControl::Look{nullptr, true});
    accessible_.emplace_back(controls_.lblReadme, AccessibleControl::Look{nullptr, true});
}

// The logo shows at its own size: the control takes the bitmap's.
void Form1::OnLoadLogo() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    GdiObject<HBITMAP> logo(LoadLogo(instance, dpi_));
    const auto shown = reinterpret_cast<HBITMAP>(SendMessageA(
        controls_.imgLogo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo.get())));
    // Version 6 of the common controls shows a copy of a bitmap with alpha,
    // and hands that copy back when it is replaced.
    if (shown && shown != logo_.get()) {
        DeleteObject(shown);
    }
    // The old logo goes with `logo`, now that the control no longer shows it.
    std::swap(logo_, logo);
}

// Lays the window out for `dpi`: at start, and whenever its DPI changes. The
// frame is sized by the caller.
void Form1::LayOut(int dpi) {
    main_window::Fonts fonts = main_window::CreateFonts(dpi);
    main_window::LayOut(hwnd_, controls_, fonts, dpi);
    // The old fonts go with `fonts`, now that no control uses them.
    std::swap(fonts_, fonts);
    dpi_ = dpi;
    // Until the logo is first decoded, that does it at the new DPI.
    if (logo_.get()) {
        OnLoadLogo();
    }
}

// Windows suggests where the frame goes at the new DPI, so that it stays on
// the monitor that caused the change.
void Form1::OnDpiChanged(int dpi, RECT frame) {
    LayOut(dpi);
    SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form1* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
        form = reinterpret_cast<Form1*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!form) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    // An error no handler expects must not unwind through Windows' own code.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        EndForUnexpectedError(hwnd, error);
    }
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case kLoadLogo:
            OnLoadLogo();
            return 0;
        case kConversionOver:
            converting_ = false;
            return 0;
        case AccessibleControl::kTakesCommands:
            return TakesCommands();
        case WM_HELP:
            OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case dpi::kGetDpiScaledSize:
            // Windows' own guess scales the title bar and borders linearly.
            *reinterpret_cast<SIZE*>(lParam) = main_window::FrameSize(static_cast<int>(wParam));
            return TRUE;
        case dpi::kDpiChanged:
            if (!dpi::FollowsMonitor(hwnd_)) {
                return DefWindowProcA(hwnd_, message, wParam, lParam);
            }
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

// A command is carried out when it comes out of the queue, which may be under
// a box or the open-file dialog that opened after it was asked for.
void Form1::OnCommand(int id, int code) {
    if (!TakesCommands()) {
        return;
    }
    switch (id) {
        case control_ids::kCmdBrowse:
            if (code == BN_CLICKED) {
                cmdBrowse_Click();
            }
            break;
        case control_ids::kCmdConvert:
            if (code == BN_CLICKED) {
                cmdConvert_Click();
            }
            break;
        case control_ids::kLblReadme:
            if (code == STN_CLICKED) {
                lblReadme_Click();
            }
            break;
        case control_ids::kLblSite:
            if (code == STN_CLICKED) {
                lblSite_Click();
            }
            break;
        default:
            break;
    }
}

// The first dropped file takes the text box, as if chosen with the browse
// button; a drop without a file changes nothing.
void Form1::OnDropFiles(HDROP drop) {
    const DroppedFiles dropped(drop);
    if (const std::optional<std::wstring> file = dropped.FirstFile(FileSystem())) {
        if (const std::optional<std::string> problem = PutShellImage(*file)) {
            ShowError(*problem);
        }
    }
}

// F1 in the window or any of its controls opens the readme, as its link does.
// Not from a box the window owns, whose F1 reaches the window too.
void Form1::OnHelp(const HELPINFO& help) {
    const auto item = static_cast<HWND>(help.hItemHandle);
    if (help.iContextType == HELPINFO_WINDOW && (item == hwnd_ || IsChild(hwnd_, item)) &&
        TakesCommands()) {
        lblReadme_Click();
    }
}

// Not while a box or the open-file dialog (both disable the window) or a
// conversion holds the window: what is asked for then is dropped.
bool Form1::TakesCommands() const {
    return IsWindowEnabled(hwnd_) && !converting_;
}

// Gives the focus back to the control that had it, as a dialog box does.
void Form1::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) {
            lastFocus_ = focus;
        }
    } else if (!IsIconic(hwnd_)) {
        SetFocus(lastFocus_ ? lastFocus_ : controls_.txtISO);
    }
}

// The labels are opaque, in the button face and button text colours.
LRESULT Form1::OnCtlColorStatic(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Before the window loads, so that the manifest is written even when the
// program then ends for a missing converter. It takes effect from the next start.
void Form1::Form_Initialize() {
    modXPStyle2::Boolean RestartAfterWrite = modXPStyle2::kFalse;
    modXPStyle2::Boolean RemoveExisting = modXPStyle2::kFalse;
    modXPStyle2::Boolean ForceRewrite = modXPStyle2::kTrue;
    modXPStyle2::ApplyXPStyle(RestartAfterWrite, RemoveExisting, ForceRewrite);
}

void Form1::Form_Load() {
    fso_.emplace();
    // Without an ANSI path of its own the program could not name its converter.
    if (!App::HasAnsiPath()) {
        common::ShowErrorBox(nullptr, messages::ProgramFolderUnusable(App::ShownFolder()));
        App::End(1);
    }
    if (!fso_->FileExists(AppFile("kestrimond.exe"))) {
        // The window was never shown, so the box has no owner.
        common::ShowErrorBox(nullptr, messages::ConverterMissing());
        App::End(1);
    }
}

void Form1::cmdBrowse_Click() {
    namespace dialog = Tavro_CommonDialog;
    try {
        dialog::OpenFileRequest.lpstrFilter = std::string(kImageFilter, sizeof kImageFilter - 1);
        dialog::OpenFileRequest.lpstrTitle = "Select your PSX Image";
        // Always a backslash more, even after a drive root's own.
        dialog::OpenFileRequest.lpstrInitialDir = App::Path() + "\\";
        const dialog::OpenFileResult result = dialog::ShowOpenDialog(hwnd_, dialog::kTrue);
        if (result.Cancelled != dialog::kFalse) {
            return;
        }
        // The first of several names; the others are dropped.
        const std::string image =
            common::JoinPath(result.Folder, result.FileNames[1], common::IsAnsiLeadByte);
        SetWindowTextA(controls_.txtISO, image.c_str());
    } catch (const dialog::DialogError&) {
        // A selection the result cannot hold: the text box keeps its text.
    } catch (const std::bad_alloc&) {
        // Nor does a path too long to build change it.
    }
}

void Form1::cmdConvert_Click() {
    const std::string keysPath = AppFile("keys.bin");
    const std::string basePath = AppFile("base.pbp");
    common::FileSystemObject& fso = FileSystem();
    // Each test looks at both files afresh.
    const auto keysAndBase = [&] {
        return std::make_pair(fso.FileExists(keysPath), fso.FileExists(basePath));
    };
    if (const auto [keys, base] = keysAndBase(); !keys && !base) {
        ShowError(messages::DataFilesMissing(false, false));
        return;
    }
    if (const auto [keys, base] = keysAndBase(); !keys && base) {
        ShowError(messages::DataFilesMissing(false, true));
        return;
    }
    if (const auto [keys, base] = keysAndBase(); keys && !base) {
        ShowError(messages::DataFilesMissing(true, false));
        return;
    }
    if (const auto [keys, base] = keysAndBase(); !keys || !base) {
        return;  // a file came or went while we looked
    }

    const std::string image = TextOf(controls_.txtISO);
    // A text that can name no file is missing: a double quote in it would end
    // the quoted argument early and hand the rest to the converter as further
    // arguments.
    if (common::HoldsInvalidPathCharacters(common::WideFromAnsi(image)) || !fso.FileExists(image)) {
        ShowError(messages::ImageMissing());
        return;
    }

    // Other programs' messages and screen readers' calls are answered during
    // the run, but no command is carried out: there is one conversion at a time.
    common::EnterComApartment();
    ShowWindow(hwnd_, SW_HIDE);
    converting_ = true;
    const unsigned long error =
        execCMD::RunAndWait(execCMD::ConverterCommandLine(AppFile("kestrimond.exe"), image));
    DiscardQueuedInput();
    // Before the window shows, so that nothing asked for once it shows is dropped.
    PostMessageA(hwnd_, kConversionOver, 0, 0);
    // Its monitor's DPI may have changed while it was hidden, whether or not
    // Windows said so.
    if (const int dpi = dpi::OfWindow(hwnd_); dpi != dpi_) {
        LayOut(dpi);
        const SIZE frame = main_window::FrameSize(dpi);
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd_, SW_SHOW);
    // A converter that was removed or replaced since start-up ran no conversion.
    if (error != 0) {
        ShowError(messages::ConverterNotStarted(common::SystemErrorText(error), error));
    }
}

void Form1::lblReadme_Click() {
    const std::string readme = AppFile("readme.txt");
    if (!FileSystem().FileExists(readme)) {
        ShowError(messages::ReadmeMissing());
        return;
    }
    OpenDocument(readme);
}

void Form1::lblSite_Click() {
    OpenDocument(kSiteUrl);
}

std::int32_t Form1::OpenDocument(std::string DocName) {
    static common::DllFunction<decltype(::ShellExecuteA)> shellExecute("shell32.dll",
                                                                       "ShellExecuteA");
    if (!shellExecute.get()) {
        return 0;
    }
    // The shell may hand the document to extensions that need COM.
    common::EnterComApartment();
    // The program that opens the document starts in C:\ whatever the document's folder.
    const HINSTANCE result =
        shellExecute.get()(hwnd_, "Open", DocName.c_str(), "", "C:\\", SW_SHOWNORMAL);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

std::optional<std::string> Form1::PutShellImage(const std::wstring& path) {
    const shell_image::ImageText image = shell_image::ChooseImageText(path, AnsiNames());
    if (!image.boxText) {
        return image.message;
    }
    SetWindowTextA(controls_.txtISO, image.boxText->c_str());
    return std::nullopt;
}

std::string Form1::AppFile(const char* name) {
    return common::JoinPath(App::Path(), name, common::IsAnsiLeadByte);
}

common::FileSystemObject& Form1::FileSystem() {
    if (!fso_) {
        fso_.emplace();
    }
    return *fso_;
}

std::string Form1::TextOf(HWND control) const {
    std::vector<char> text(GetWindowTextLengthA(control) + 1);
    const int length = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), length);
}

void Form1::ShowError(const std::string& text) const {
    common::ShowErrorBox(hwnd_, text);
}
