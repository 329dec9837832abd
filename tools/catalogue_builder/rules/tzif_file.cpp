#include "rules/tzif_file.h"

#include <fstream>
#include <sstream>

#include "platform/tzif_file.h"

namespace kelvane::builder {

std::optional<TzifData> ParseTzif(std::string_view bytes) {
    TzifView view;
    if (!view.Parse(bytes)) return std::nullopt;
    TzifData data;
    for (std::size_t i = 0; i < view.TransitionCount(); ++i) {
        data.transitionTimes.push_back(view.TransitionTime(i));
        data.transitionTypes.push_back(view.TransitionType(i));
    }
    for (std::size_t i = 0; i < view.TypeCount(); ++i) data.types.push_back(view.Type(i));
    data.footer = view.Footer();
    return data;
}

std::optional<TzifData> ReadTzifFile(const std::filesystem::path &path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ParseTzif(bytes.str());
}

}  // namespace kelvane::builder
