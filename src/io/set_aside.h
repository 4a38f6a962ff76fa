// Keeping a file the game is about to replace but cannot read as its own, so that whatever the
// player had survives the save.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace vantrell {

// Makes the file's present content also reachable as `<file><suffix>`, or `<file><suffix>-2`,
// `-3`, ... when that name is taken; nothing existing is ever replaced. The file itself stays
// where it is until a save replaces it, so a save that then fails loses nothing either. Returns
// the name used, or nothing with `error` set.
std::optional<std::filesystem::path> SetAside(const std::filesystem::path& file,
                                              std::string_view suffix, std::error_code& error);

}  // namespace vantrell
