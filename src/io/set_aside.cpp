#include "io/set_aside.h"

#include <cstdio>
#include <string>

namespace vantrell {

namespace fs = std::filesystem;

namespace {

constexpr int kNamesTried = 1000;

fs::path Candidate(const fs::path& file, std::string_view suffix, int number) {
    fs::path name = file;
    name += std::string(suffix);
    if (number > 1) {
        // Built with snprintf: GCC 12 warns falsely on "literal" + std::string.
        char count[16];
        std::snprintf(count, sizeof count, "-%d", number);
        name += count;
    }
    return name;
}

}  // namespace

std::optional<fs::path> SetAside(const fs::path& file, std::string_view suffix,
                                 std::error_code& error) {
    for (int number = 1; number <= kNamesTried; ++number) {
        const fs::path name = Candidate(file, suffix, number);
        error.clear();
        // A second name for the same file: nothing is copied, and the old content stays on
        // disk when the save renames a new file over the first name.
        fs::create_hard_link(file, name, error);
        if (error && error != std::errc::file_exists) {
            // A file system without hard links: a copy does as well. It refuses a taken name.
            error.clear();
            fs::copy_file(file, name, fs::copy_options::none, error);
        }
        if (!error) {
            return name;
        }
        if (error != std::errc::file_exists) {
            return std::nullopt;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return std::nullopt;
}

}  // namespace vantrell
