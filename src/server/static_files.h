// Serving the browser build as docs/serving.md asks: the pre-compressed copy the client takes,
// the right types, revalidation by ETag, and no caching of anything that names a run.
#pragma once

#include <filesystem>
#include <string>

#include "server/world_api.h"

namespace vantrell::server {

struct FileRequest {
    std::string path;  // the URL's path, "/" for the page
    std::string acceptEncoding;
    std::string ifNoneMatch;
    bool namesRun = false;  // the URL has a run= query
};

// The file under `root`, or a 404. Paths that leave the folder are never served.
ApiResponse ServeFile(const std::filesystem::path& root, const FileRequest& request);

}  // namespace vantrell::server
