#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/boolean.h"

namespace Tavro_CommonDialog {

using common::Boolean;
using common::kFalse;
using common::kTrue;

// The chosen file names, numbered from 1 as the dialog's result numbers them.
class FileNameList {
public:
    void Append(std::string name) { names_.push_back(std::move(name)); }
    // Name `number`, 1 to size(); std::out_of_range outside that.
    const std::string& operator[](std::size_t number) const { return names_.at(number - 1); }
    std::size_t size() const { return names_.size(); }

private:
    std::vector<std::string> names_;
};

// What one open-file dialog gave.
struct OpenFileResult {
    std::int16_t FileCount = 0;
    FileNameList FileNames;
    // Ends in a backslash after a single file; after several, only at a drive root.
    std::string Folder;
    Boolean Cancelled = kFalse;
};

// A dialog whose answer does not fit the result: no result is produced.
class DialogError : public std::runtime_error {
public:
    enum class Kind {
        OutOfRange,       // more names than the working list has slots
        Overflow,         // a position past what a 16-bit position holds
        InvalidArgument,  // a piece of the buffer of negative length
    };

    DialogError(Kind kind, const char* what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace Tavro_CommonDialog
