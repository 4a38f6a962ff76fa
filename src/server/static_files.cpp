#include "server/static_files.h"

#include <array>
#include <cstdlib>

#include "io/file_bytes.h"

namespace vantrell::server {

namespace {

const char* ContentType(const std::string& extension) {
    static constexpr std::array<std::pair<const char*, const char*>, 11> kTypes = {{
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".webmanifest", "application/manifest+json"},
        {".wasm", "application/wasm"},
        {".png", "image/png"},
        {".ico", "image/x-icon"},
        {".opus", "audio/ogg"},
        {".data", "application/octet-stream"},
        {".txt", "text/plain; charset=utf-8"},
    }};
    for (const auto& [ext, type] : kTypes) {
        if (extension == ext) {
            return type;
        }
    }
    return "application/octet-stream";
}

// Whether Accept-Encoding takes `coding` with a weight above zero.
bool Accepts(const std::string& header, const std::string& coding) {
    size_t start = 0;
    while (start <= header.size()) {
        size_t end = header.find(',', start);
        if (end == std::string::npos) {
            end = header.size();
        }
        std::string item = header.substr(start, end - start);
        start = end + 1;
        const size_t semicolon = item.find(';');
        std::string name = item.substr(0, semicolon);
        std::erase_if(name, [](char c) { return c == ' ' || c == '\t'; });
        if (name != coding && name != "*") {
            continue;
        }
        if (semicolon == std::string::npos) {
            return true;
        }
        std::string params = item.substr(semicolon + 1);
        std::erase_if(params, [](char c) { return c == ' ' || c == '\t'; });
        if (!params.starts_with("q=")) {
            return true;
        }
        return std::strtod(params.c_str() + 2, nullptr) > 0;
    }
    return false;
}

bool SafePath(const std::string& path) {
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos ||
        path.find('\\') != std::string::npos) {
        return false;
    }
    for (const auto& part : std::filesystem::path(path).relative_path()) {
        if (part == ".." || part == ".") {
            return false;
        }
    }
    return true;
}

}  // namespace

ApiResponse ServeFile(const std::filesystem::path& root, const FileRequest& request) {
    ApiResponse response;
    response.headers.emplace_back("X-Content-Type-Options", "nosniff");
    const std::string path = request.path == "/" ? "/index.html" : request.path;
    std::error_code error;
    const std::filesystem::path file = root / std::filesystem::path(path).relative_path();
    if (!SafePath(path) || !std::filesystem::is_regular_file(file, error)) {
        response.status = 404;
        response.contentType = "text/plain; charset=utf-8";
        response.body = "not found\n";
        return response;
    }
    const bool hasCopies = std::filesystem::is_regular_file(file.string() + ".gz", error) ||
                           std::filesystem::is_regular_file(file.string() + ".br", error);
    std::filesystem::path sent = file;
    std::string coding;
    if (hasCopies) {
        for (const char* candidate : {"br", "gzip"}) {
            const std::string suffix = std::string(candidate) == "br" ? ".br" : ".gz";
            if (Accepts(request.acceptEncoding, candidate) &&
                std::filesystem::is_regular_file(file.string() + suffix, error)) {
                sent = file.string() + suffix;
                coding = candidate;
                break;
            }
        }
        response.headers.emplace_back("Vary", "Accept-Encoding");
    }
    std::string why;
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(sent, &why);
    if (!bytes) {
        response.status = 500;
        response.contentType = "text/plain; charset=utf-8";
        response.body = why + "\n";
        return response;
    }
    const Sha256Digest digest = Sha256Of(*bytes);
    const std::string etag = "\"" + HexDigest(digest).substr(0, 32) + "\"";
    response.headers.emplace_back("ETag", etag);
    response.headers.emplace_back("Cache-Control", request.namesRun ? "no-store" : "no-cache");
    response.contentType = ContentType(file.extension().string());
    if (!coding.empty()) {
        response.headers.emplace_back("Content-Encoding", coding);
    }
    if (!request.ifNoneMatch.empty() && request.ifNoneMatch == etag) {
        response.status = 304;
        return response;
    }
    response.body.assign(bytes->begin(), bytes->end());
    return response;
}

}  // namespace vantrell::server
