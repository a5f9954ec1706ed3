#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace common {

// What the program reads back from its own version resource.
struct VersionInfo {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    std::u16string companyName;
    std::u16string fileDescription;
};

// Reads a version resource (a VS_VERSIONINFO block as the resource compiler
// lays it out): the file version from its fixed part, the two strings from
// its first string table. Missing or malformed parts leave their fields at
// their defaults.
VersionInfo ParseVersionInfo(const void* block, std::size_t size);

}  // namespace common
