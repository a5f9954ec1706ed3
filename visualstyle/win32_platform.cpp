// The visual-style bootstrap on the running Windows.
#include <windows.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include "common/ansi_text.h"
#include "common/app.h"
#include "common/dll_function.h"
#include "common/file_system.h"
#include "common/system_dlls.h"
#include "visualstyle/modXPStyle2.h"

namespace modXPStyle2 {

namespace {

// Owns a handle that INVALID_HANDLE_VALUE marks as missing, and closes it.
class OwnedHandle {
public:
    using Close = BOOL(WINAPI*)(HANDLE);
    OwnedHandle(HANDLE handle, Close close) : handle_(handle), close_(close) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            close_(handle_);
        }
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
    Close close_;
};

void Check(bool succeeded, const char* what) {
    if (!succeeded) {
        throw PlatformError(what);
    }
}

// Windows takes "no attributes" as FILE_ATTRIBUTE_NORMAL.
DWORD FileAttributes(unsigned attributes) {
    return attributes == attributes::kNormal ? FILE_ATTRIBUTE_NORMAL : attributes;
}

std::string Ansi(const std::u16string& text) {
    static_assert(sizeof(char16_t) == sizeof(WCHAR));
    const std::optional<std::string> ansi = common::AnsiFromWide(
        std::wstring_view(reinterpret_cast<const WCHAR*>(text.data()), text.size()));
    Check(ansi.has_value(), "WideCharToMultiByte");
    return *ansi;
}

class Win32Platform : public Platform {
public:
    std::uint32_t WindowsVersion() override { return GetVersion(); }

    bool CanLoadLibrary(const std::string& fileName) override {
        HMODULE module = common::LoadSystemLibrary(fileName.c_str());
        if (module) {
            FreeLibrary(module);
        }
        return module != nullptr;
    }

    bool IsThemeActive() override {
        static common::DllFunction<decltype(::IsThemeActive)> isThemeActive("uxtheme.dll",
                                                                            "IsThemeActive");
        Check(isThemeActive.get() != nullptr, "IsThemeActive");
        return isThemeActive.get()() != FALSE;
    }

    bool PathIsNetworkPath(const std::string& path) override {
        static common::DllFunction<decltype(::PathIsNetworkPathA)> pathIsNetworkPath(
            "shlwapi.dll", "PathIsNetworkPathA");
        Check(pathIsNetworkPath.get() != nullptr, "PathIsNetworkPathA");
        return pathIsNetworkPath.get()(path.c_str()) != FALSE;
    }

    common::LeadByteRule AnsiLeadBytes() override { return common::IsAnsiLeadByte; }

    // Short enough that the manifest's temporary file, its longest name, can
    // be written there through the ANSI functions.
    std::string AppPath() override { return App::PathFor(App::EXEName() + ".exe.manifest.tmp"); }
    std::string AppEXEName() override { return App::EXEName(); }
    ExeVersion AppVersion() override {
        return ExeVersion{version_.major, version_.minor, version_.revision};
    }
    std::string AppFileDescription() override { return Ansi(version_.fileDescription); }
    std::string AppCompanyName() override { return Ansi(version_.companyName); }
    std::string AppCommand() override { return App::Command(); }
    std::string ProcessorArchitecture() override { return sizeof(void*) == 8 ? "amd64" : "x86"; }

    std::string Utf8FromAnsi(const std::string& text) override {
        const std::wstring wide = common::WideFromAnsi(text);
        const int length = static_cast<int>(wide.size());
        std::string utf8(static_cast<std::size_t>(length) * 3, '\0');
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(),
                                        static_cast<int>(utf8.size()), nullptr, nullptr));
        Check(wide.empty() || !utf8.empty(), "WideCharToMultiByte");
        return utf8;
    }

    std::string FindFile(const std::string& path, unsigned attributeMask) override {
        WIN32_FIND_DATAA found;
        const OwnedHandle search(FindFirstFileA(path.c_str(), &found), FindClose);
        if (search.get() == INVALID_HANDLE_VALUE) {
            return std::string();
        }
        // Attributes beyond these (compressed, not indexed...) do not matter,
        // and a file without any is normal, which every search finds.
        constexpr DWORD kSearched = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                    FILE_ATTRIBUTE_ARCHIVE;
        do {
            if ((found.dwFileAttributes & kSearched & ~attributeMask) == 0) {
                return found.cFileName;
            }
        } while (FindNextFileA(search.get(), &found));
        return std::string();
    }

    void SetAttributes(const std::string& path, unsigned attributes) override {
        Check(SetFileAttributesA(path.c_str(), FileAttributes(attributes)) != FALSE,
              "SetFileAttributesA");
    }

    void RemoveFile(const std::string& path) override {
        Check(DeleteFileA(path.c_str()) != FALSE, "DeleteFileA");
    }

    void WriteNewFile(const std::string& path, const std::string& contents,
                      unsigned attributes) override {
        const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FileAttributes(attributes), nullptr),
                               CloseHandle);
        Check(file.get() != INVALID_HANDLE_VALUE, "CreateFileA");
        DWORD written = 0;
        Check(::WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()),
                          &written, nullptr) != FALSE &&
                  written == contents.size(),
              "WriteFile");
    }

    void MoveIntoPlace(const std::string& from, const std::string& to) override {
        Check(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE,
              "MoveFileExA");
    }

    std::optional<FileState> ReadFileState(const std::string& path) override {
        const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, 0, nullptr),
                               CloseHandle);
        if (file.get() == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            Check(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND, "CreateFileA");
            return std::nullopt;
        }
        BY_HANDLE_FILE_INFORMATION information;
        Check(GetFileInformationByHandle(file.get(), &information) != FALSE &&
                  information.nFileSizeHigh == 0,
              "GetFileInformationByHandle");
        FileState state{std::string(information.nFileSizeLow, '\0'), information.dwFileAttributes};
        DWORD read = 0;
        Check(::ReadFile(file.get(), state.contents.data(), information.nFileSizeLow, &read,
                         nullptr) != FALSE &&
                  read == information.nFileSizeLow,
              "ReadFile");
        return state;
    }

    void TouchProgramFile() override {
        const OwnedHandle file(
            CreateFileW(common::ForWideFunctions(App::FilePath()).c_str(), FILE_WRITE_ATTRIBUTES,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            CloseHandle);
        Check(file.get() != INVALID_HANDLE_VALUE, "CreateFileW");
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        Check(SetFileTime(file.get(), nullptr, nullptr, &now) != FALSE, "SetFileTime");
    }

    void StartProgram(const std::string& commandLine) override {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // CreateProcessA may write into the command line, so hand it a copy.
        std::string line = commandLine;
        Check(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process) != FALSE,
              "CreateProcessA");
        // The new instance runs on its own.
        const OwnedHandle thread(process.hThread, CloseHandle);
        const OwnedHandle processHandle(process.hProcess, CloseHandle);
    }

    void EndProgram() override { App::End(0); }

private:
    // Read once from the program's own resources, for the three values taken from it.
    const common::VersionInfo version_ = App::Version();
};

}  // namespace

Boolean ApplyXPStyle(Boolean& RestartAfterWrite, Boolean& RemoveExisting, Boolean& ForceRewrite) {
    Win32Platform platform;
    return ApplyXPStyle(platform, RestartAfterWrite, RemoveExisting, ForceRewrite);
}

}  // namespace modXPStyle2
