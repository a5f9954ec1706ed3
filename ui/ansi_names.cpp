#include "ui/ansi_names.h"

#include "common/ansi_text.h"

std::optional<std::string> AnsiNames::Spell(const std::wstring& name) const {
    return common::SpelledInAnsi(name);
}

std::string AnsiNames::Render(const std::wstring& name) const {
    return common::RenderedInAnsi(name);
}

std::optional<std::wstring> AnsiNames::ShortNameOf(const std::wstring& path) const {
    return common::ShortPathOf(path);
}
