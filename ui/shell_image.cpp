#include "ui/shell_image.h"

#include <utility>

#include "ui/messages.h"

namespace shell_image {

ImageText ChooseImageText(const std::wstring& path, const NameSource& names) {
    if (std::optional<std::string> asItIs = names.Spell(path)) {
        return ImageText{std::move(asItIs), ""};
    }
    const std::optional<std::wstring> shortName = names.ShortNameOf(path);
    if (!shortName) {
        // '?' is no file name character, so this text cannot name another file.
        return ImageText{names.Render(path), ""};
    }
    if (std::optional<std::string> spelled = names.Spell(*shortName)) {
        return ImageText{std::move(spelled), ""};
    }
    return ImageText{std::nullopt, messages::NoShortName(names.Render(path))};
}

}  // namespace shell_image
