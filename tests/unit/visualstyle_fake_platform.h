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
        friend bool operator==(const File& a, const File& b) {
            return a.contents == b.contents && a.attributes == b.attributes;
        }
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

    // A single-byte code page.
    common::LeadByteRule AnsiLeadBytes() override {
        return [](char) { return false; };
    }

    std::string AppPath() override { return Answer("AppPath", folder); }
    std::string AppEXEName() override { return Answer("AppEXEName", exeName); }
    modXPStyle2::ExeVersion AppVersion() override { return Answer("AppVersion", exeVersion); }
    std::string AppFileDescription() override { return Answer("AppFileDescription", description); }
    std::string AppCompanyName() override { return Answer("AppCompanyName", company); }
    std::string AppCommand() override { return Answer("AppCommand", arguments); }
    std::string ProcessorArchitecture() override { return "x86"; }
    // The texts here are ASCII, the same in UTF-8.
    std::string Utf8FromAnsi(const std::string& text) override { return text; }

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
    // Failing, it leaves the first half of the bytes written, as a full disk would.
    void WriteNewFile(const std::string& path, const std::string& contents,
                      unsigned attributes) override {
        log.push_back("WriteNewFile");
        const auto file = files.find(path);
        // As on Windows, a read-only file is not overwritten, nor a hidden or
        // system one by a file without that attribute.
        using namespace modXPStyle2::attributes;
        const unsigned kept = file == files.end() ? 0 : file->second.attributes;
        if (folders.count(path) || kept & kReadOnly || kept & (kHidden | kSystem) & ~attributes) {
            throw modXPStyle2::PlatformError("cannot create");
        }
        if (failing.count("WriteNewFile")) {
            files[path] = File{contents.substr(0, contents.size() / 2), attributes | kArchive};
            throw modXPStyle2::PlatformError("disk full");
        }
        files[path] = File{contents, attributes | kArchive};
    }
    void MoveIntoPlace(const std::string& from, const std::string& to) override {
        log.push_back("MoveIntoPlace");
        FailIf("MoveIntoPlace");
        const auto file = files.find(to);
        if (folders.count(to) ||
            (file != files.end() && file->second.attributes & modXPStyle2::attributes::kReadOnly)) {
            throw modXPStyle2::PlatformError("cannot replace");
        }
        files[to] = files.at(from);
        files.erase(from);
    }
    std::optional<modXPStyle2::FileState> ReadFileState(const std::string& path) override {
        FailIf("ReadFileState");
        if (folders.count(path)) {
            throw modXPStyle2::PlatformError("a folder");
        }
        const auto file = files.find(path);
        if (file == files.end()) {
            return std::nullopt;
        }
        return modXPStyle2::FileState{file->second.contents, file->second.attributes};
    }
    void TouchProgramFile() override {
        log.push_back("TouchProgramFile");
        FailIf("TouchProgramFile");
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
