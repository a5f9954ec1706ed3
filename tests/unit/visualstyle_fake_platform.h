#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "visualstyle/platform.h"

// A Windows in memory for the visual-style bootstrap: a folder of files with
// attributes, answers set by the test, a log of every call that changes
// something, and operations that can be made to fail.
class FakePlatform : public modXPStyle2::Platform {
public:
    struct File {
        std::string contents;
        unsigned attributes = 0;
    };

    std::uint32_t version = 0x0105;  // XP
    bool themeLibrary = true;
    bool themeActive = true;
    std::string folder = "C:\\Tools";
    std::string exeName = "Kestrimond GUI";
    modXPStyle2::ExeVersion exeVersion{1, 0, 0};
    std::string description;
    std::string company = "quill_marsh58";
    std::string arguments;

    std::map<std::string, File> files;
    std::set<std::string> folders;
    // Names of the calls that throw, as they appear in the log.
    std::set<std::string> failing;
    std::vector<std::string> log;
    std::vector<std::string> librariesAsked;
    std::vector<std::string> networkPathsAsked;
    int themeActiveCalls = 0;

    std::uint32_t WindowsVersion() override { return version; }
    bool CanLoadLibrary(const std::string& fileName) override {
        librariesAsked.push_back(fileName);
        return themeLibrary;
    }
    bool IsThemeActive() override {
        ++themeActiveCalls;
        return themeActive;
    }
    bool PathIsNetworkPath(const std::string& path) override {
        FailIf("PathIsNetworkPath");
        networkPathsAsked.push_back(path);
        return path.rfind("\\\\", 0) == 0;
    }

    std::string AppPath() override { return Answer("AppPath", folder); }
    std::string AppEXEName() override { return Answer("AppEXEName", exeName); }
    modXPStyle2::ExeVersion AppVersion() override { return Answer("AppVersion", exeVersion); }
    std::string AppFileDescription() override { return Answer("AppFileDescription", description); }
    std::string AppCompanyName() override { return Answer("AppCompanyName", company); }
    std::string AppCommand() override { return Answer("AppCommand", arguments); }

    std::string FindFile(const std::string& path, unsigned attributeMask) override {
        log.push_back("FindFile " + path + " " + std::to_string(attributeMask));
        FailIf("FindFile");
        const auto file = files.find(path);
        return file == files.end() ? std::string() : path.substr(path.find_last_of("\\/") + 1);
    }
    void SetAttributes(const std::string& path, unsigned attributes) override {
        log.push_back("SetAttributes " + std::to_string(attributes));
        FailIf("SetAttributes");
        const auto file = files.find(path);
        // Windows lets a folder's attributes be set too.
        if (file == files.end() && folders.count(path) == 0) {
            throw modXPStyle2::PlatformError("no such file");
        }
        if (file != files.end()) {
            file->second.attributes = attributes;
        }
    }
    void RemoveFile(const std::string& path) override {
        log.push_back("RemoveFile");
        FailIf("RemoveFile");
        const auto file = files.find(path);
        if (file == files.end() || (file->second.attributes & modXPStyle2::attributes::kReadOnly)) {
            throw modXPStyle2::PlatformError("cannot delete");
        }
        files.erase(file);
    }
    void WriteNewFile(const std::string& path, const std::string& contents) override {
        log.push_back("WriteNewFile");
        FailIf("WriteNewFile");
        const auto file = files.find(path);
        // As on Windows, a read-only, hidden or system file is not overwritten.
        constexpr unsigned kProtected = modXPStyle2::attributes::kReadOnly |
                                        modXPStyle2::attributes::kHidden |
                                        modXPStyle2::attributes::kSystem;
        if (folders.count(path) || (file != files.end() && file->second.attributes & kProtected)) {
            throw modXPStyle2::PlatformError("cannot create");
        }
        files[path] = File{contents, modXPStyle2::attributes::kArchive};
    }
    void StartProgram(const std::string& commandLine) override {
        log.push_back("StartProgram " + commandLine);
        FailIf("StartProgram");
    }
    void EndProgram() override { log.push_back("EndProgram"); }

private:
    template <typename T>
    T Answer(const std::string& call, const T& value) const {
        FailIf(call);
        return value;
    }
    void FailIf(const std::string& call) const {
        if (failing.count(call)) {
            throw modXPStyle2::PlatformError(call + " failed");
        }
    }
};
