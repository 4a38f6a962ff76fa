#include "common/file_bytes.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "io/atomic_save.h"

namespace vantrell::tools {

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    const std::optional<SaveFailure> failure = SaveFile(path, bytes);
    if (!failure) {
        return;
    }
    switch (failure->step) {
        case SaveStep::Create:
            throw std::runtime_error(path + ": cannot create the file (check the folder exists)");
        case SaveStep::Rename:
            throw std::runtime_error(
                path + ": cannot move the new file into place: " + failure->error.message());
        default:
            throw std::runtime_error(path + ": write failed (disk full?)");
    }
}

void MakeDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        throw std::runtime_error(path + ": cannot create the folder: " + ec.message());
    }
}

}  // namespace vantrell::tools
