#pragma once

#include <optional>
#include <string>

#include "ui/shell_image.h"

// Wide names against the system's ANSI code page and the volume's short names.
class AnsiNames : public shell_image::NameSource {
public:
    std::optional<std::string> Spell(const std::wstring& name) const override;
    std::string Render(const std::wstring& name) const override;
    std::optional<std::wstring> ShortNameOf(const std::wstring& path) const override;
};
