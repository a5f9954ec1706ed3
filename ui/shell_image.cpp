#include "ui/shell_image.h"

#include <utility>

#include "common/app_path.h"
#include "ui/messages.h"

namespace shell_image {

ImageText ChooseImageText(const std::wstring& path, const NameSource& names) {
    const std::optional<std::string> asItIs = names.Spell(path);
    if (asItIs && common::FitsAnsiFunctions(path)) {
        return ImageText{asItIs, ""};
    }
    const std::optional<std::wstring> shortName = names.ShortNameOf(path);
    if (!shortName) {
        // '?' is no file name character, so this text cannot name another file.
        return ImageText{names.Render(path), ""};
    }
    if (std::optional<std::string> spelled = names.Spell(*shortName);
        spelled && common::FitsAnsiFunctions(*shortName)) {
        return ImageText{std::move(spelled), ""};
    }
    const messages::PathProblem problem =
        asItIs ? messages::PathProblem::Length : messages::PathProblem::Characters;
    return ImageText{std::nullopt, messages::NoShortName(names.Render(path), problem)};
}

}  // namespace shell_image
