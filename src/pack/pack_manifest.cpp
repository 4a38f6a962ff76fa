// The manifest of a stage pack, manifest.toml: the pack's format, names, author, version and
// course digest, written and read with toml++. Both builds compile this, the browser's without
// exceptions, so toml++ reports a parse error as a result here rather than by throwing.
#define TOML_EXCEPTIONS 0
#include <toml++/toml.h>

#include <sstream>

#include "pack/pack_reader.h"

namespace vantrell {

namespace {

std::optional<Sha256Digest> ParseDigest(const std::string& hex) {
    if (hex.size() != 64) {
        return std::nullopt;
    }
    Sha256Digest digest{};
    for (std::size_t i = 0; i < digest.size(); ++i) {
        uint8_t byte = 0;
        for (const char c : {hex[2 * i], hex[2 * i + 1]}) {
            byte = static_cast<uint8_t>(byte << 4);
            if (c >= '0' && c <= '9') {
                byte = static_cast<uint8_t>(byte | (c - '0'));
            } else if (c >= 'a' && c <= 'f') {
                byte = static_cast<uint8_t>(byte | (c - 'a' + 10));
            } else {
                return std::nullopt;
            }
        }
        digest[i] = byte;
    }
    return digest;
}

}  // namespace

std::string WritePackManifest(const PackManifest& manifest) {
    const toml::table table{
        {"format", kPackFormat},       {"name_en", manifest.nameEn},
        {"name_ja", manifest.nameJa},  {"author", manifest.author},
        {"version", manifest.version}, {"course", HexDigest(manifest.course)},
    };
    std::ostringstream out;
    out << "# A Vantrell stage pack: the stage's files, its ten best runs and this manifest.\n"
        << table << "\n";
    return out.str();
}

std::optional<PackManifest> ReadPackManifest(std::string_view text, std::string* problem) {
    toml::parse_result parsed = toml::parse(text, std::string_view(kPackManifestName));
    if (!parsed) {
        const toml::parse_error& error = parsed.error();
        *problem = "line " + std::to_string(error.source().begin.line) + ": " +
                   std::string(error.description());
        return std::nullopt;
    }
    const toml::table& table = parsed.table();
    for (auto&& [key, node] : table) {
        const std::string_view k = key.str();
        if (k != "format" && k != "name_en" && k != "name_ja" && k != "author" && k != "version" &&
            k != "course") {
            *problem = "line " + std::to_string(key.source().begin.line) + ": unknown key '" +
                       std::string(k.substr(0, 40)) + "'";
            return std::nullopt;
        }
    }
    const std::optional<int64_t> format = table["format"].value<int64_t>();
    if (format != kPackFormat) {
        *problem = format ? "format " + std::to_string(*format) +
                                " is not known to this game; a newer game may read it"
                          : "no format number";
        return std::nullopt;
    }
    PackManifest manifest;
    const std::pair<const char*, std::string*> texts[] = {{"name_en", &manifest.nameEn},
                                                          {"name_ja", &manifest.nameJa},
                                                          {"author", &manifest.author},
                                                          {"version", &manifest.version}};
    for (const auto& [key, field] : texts) {
        const std::optional<std::string> value = table[key].value<std::string>();
        if (!value) {
            *problem = std::string("no ") + key + " text";
            return std::nullopt;
        }
        const std::size_t limit =
            std::string_view(key) == "version" ? kPackMaxVersionBytes : kPackMaxNameBytes;
        const std::string fault = CheckPackText(*value, limit);
        if (!fault.empty()) {
            *problem = std::string(key) + " " + fault;
            return std::nullopt;
        }
        *field = *value;
    }
    const std::optional<std::string> course = table["course"].value<std::string>();
    const std::optional<Sha256Digest> digest = course ? ParseDigest(*course) : std::nullopt;
    if (!digest) {
        *problem = "course must be the course digest, 64 lowercase hex digits";
        return std::nullopt;
    }
    manifest.course = *digest;
    return manifest;
}

}  // namespace vantrell
