#include "design_file.h"

#include <toml++/toml.h>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "io/file_bytes.h"
#include "sprites.h"

#ifndef VANTRELL_STAGE_DESIGNS
#define VANTRELL_STAGE_DESIGNS "stages"
#endif

namespace vantrell::contentgen {

namespace {

constexpr std::pair<const char*, int32_t> kObjectNames[] = {
    {"conifer", kConifer},
    {"broadleaf", kBroadleaf},
    {"snow-conifer", kSnowConifer},
    {"cactus", kCactus},
    {"pylon", kPylon},
    {"house", kHouse},
    {"block-building", kBlockBuilding},
    {"silo", kSilo},
    {"crates", kCrates},
    {"monolith", kMonolith},
    {"ice-spire", kIceSpire},
    {"light-mast", kLightMast},
    {"dead-tree", kDeadTree},
    {"rock-spire", kRockSpire},
    {"palm", kPalm},
    {"container", kContainer},
    {"boulder", kBoulder},
    {"stones", kStones},
    {"mound", kMound},
    {"dune", kDune},
    {"ice-block", kIceBlock},
    {"lava-rock", kLavaRock},
    {"logs", kLogs},
    {"snow-drift", kSnowDrift},
    {"hay-bale", kHayBale},
    {"barrels", kBarrels},
    {"hump", kHump},
    {"big-boulder", kBigBoulder},
    {"bush", kBush},
    {"tyres", kTyres},
    {"crater", kCrater},
};

constexpr const char* kPaletteNames[] = {"vale", "desert", "ridge", "harbour", "canyon"};

// Where the route may run: a checkpoint box (16 high, rows 5..388) must hold the route.
constexpr double kRouteTop = 13.0;
constexpr double kRouteBottom = 380.0;
constexpr double kCloseTolerance = 1.5;

// Reads one file's tables, remembering the source for every message.
class Reader {
  public:
    explicit Reader(std::string source) : source_(std::move(source)) {}

    [[noreturn]] void Fail(const toml::source_region& where, const std::string& what) const {
        throw DesignError(source_ + ":" + std::to_string(where.begin.line) + ": " + what);
    }

    // The table under `key`, refusing keys other than `known`.
    const toml::table& Section(const toml::table& root, const char* key,
                               std::initializer_list<const char*> known) const {
        const toml::node* node = root.get(key);
        if (node == nullptr) {
            Fail(root.source(), std::string("no [") + key + "] section; every design has one");
        }
        const toml::table* table = node->as_table();
        if (table == nullptr) {
            Fail(node->source(), std::string(key) + ": must be a section [" + key + "]");
        }
        OnlyKeys(*table, key, known);
        return *table;
    }

    void OnlyKeys(const toml::table& table, const std::string& where,
                  std::initializer_list<const char*> known) const {
        for (auto&& [key, node] : table) {
            const std::string_view name = key.str();
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                std::string list;
                for (const char* k : known) {
                    list += list.empty() ? "" : ", ";
                    list += k;
                }
                Fail(key.source(),
                     "unknown key '" + std::string(name) + "' in " + where + "; it takes " + list);
            }
        }
    }

    const toml::node& Need(const toml::table& table, const char* key,
                           const std::string& section) const {
        const toml::node* node = table.get(key);
        if (node == nullptr) {
            Fail(table.source(), "[" + section + "] has no " + key + "; add " + key + " = ...");
        }
        return *node;
    }

    double Number(const toml::node& node, const std::string& key, double low, double high) const {
        std::optional<double> value;
        if (const auto* i = node.as_integer()) {
            value = static_cast<double>(i->get());
        } else if (const auto* f = node.as_floating_point()) {
            value = f->get();
        }
        if (!value) {
            Fail(node.source(), key + ": must be a number");
        }
        if (!(*value >= low && *value <= high)) {
            Fail(node.source(),
                 key + " = " + Show(*value) + ": must lie in " + Show(low) + ".." + Show(high));
        }
        return *value;
    }

    double Number(const toml::table& table, const char* key, const std::string& section, double low,
                  double high) const {
        return Number(Need(table, key, section), key, low, high);
    }

    int64_t Integer(const toml::table& table, const char* key, const std::string& section,
                    int64_t low, int64_t high) const {
        const toml::node& node = Need(table, key, section);
        const auto* value = node.as_integer();
        if (value == nullptr) {
            Fail(node.source(), std::string(key) + ": must be a whole number");
        }
        if (value->get() < low || value->get() > high) {
            Fail(node.source(), std::string(key) + " = " + std::to_string(value->get()) +
                                    ": must lie in " + std::to_string(low) + ".." +
                                    std::to_string(high));
        }
        return value->get();
    }

    // A line of text: 1..max characters, no control characters.
    std::string Text(const toml::table& table, const char* key, const std::string& section,
                     size_t maxBytes) const {
        const toml::node& node = Need(table, key, section);
        const auto* value = node.as_string();
        if (value == nullptr) {
            Fail(node.source(), std::string(key) + ": must be a string in quotes");
        }
        const std::string& text = value->get();
        if (text.empty() || text.size() > maxBytes) {
            Fail(node.source(), std::string(key) + ": must be 1 to " + std::to_string(maxBytes) +
                                    " bytes of UTF-8, is " + std::to_string(text.size()));
        }
        for (const unsigned char c : text) {
            if (c < 0x20 || c == 0x7F) {
                Fail(node.source(), std::string(key) +
                                        ": holds a control character; give one "
                                        "line of plain text");
            }
        }
        return text;
    }

    std::vector<int32_t> Objects(const toml::table& table, const char* key,
                                 const std::string& section, size_t least) const {
        const toml::node& node = Need(table, key, section);
        const auto* array = node.as_array();
        if (array == nullptr || array->size() < least || array->size() > 16) {
            Fail(node.source(), std::string(key) + ": must be a list of " + std::to_string(least) +
                                    " to 16 object names");
        }
        std::vector<int32_t> frames;
        for (const toml::node& item : *array) {
            const auto* name = item.as_string();
            const auto found =
                name == nullptr
                    ? std::end(kObjectNames)
                    : std::find_if(std::begin(kObjectNames), std::end(kObjectNames),
                                   [&](const auto& o) { return name->get() == o.first; });
            if (found == std::end(kObjectNames)) {
                std::string list;
                for (const auto& o : kObjectNames) {
                    list += list.empty() ? "" : ", ";
                    list += o.first;
                }
                Fail(item.source(),
                     std::string(key) + ": not an object name; the objects are " + list);
            }
            frames.push_back(found->second);
        }
        return frames;
    }

    RoutePiece Piece(const toml::node& node) const {
        const auto* table = node.as_table();
        if (table == nullptr) {
            Fail(node.source(),
                 "a route piece is { straight = LENGTH } or { right = DEGREES, "
                 "radius = R } or { left = DEGREES, radius = R }");
        }
        OnlyKeys(*table, "a route piece", {"straight", "left", "right", "radius"});
        const bool straight = table->contains("straight");
        const bool left = table->contains("left");
        const bool right = table->contains("right");
        if (straight + left + right != 1 || (straight && table->contains("radius"))) {
            Fail(node.source(),
                 "a route piece is either a straight or one turn, left or right "
                 "with its radius");
        }
        if (straight) {
            return {Number(*table->get("straight"), "straight", 1, 400), 0.0, 0.0};
        }
        const char* turn = left ? "left" : "right";
        const double degrees = Number(*table->get(turn), turn, 1, 360);
        if (!table->contains("radius")) {
            Fail(node.source(), std::string("a turn needs its radius: { ") + turn + " = " +
                                    Show(degrees) + ", radius = R }");
        }
        const double radius = Number(*table->get("radius"), "radius", 10, 400);
        return {0.0, left ? -degrees : degrees, radius};
    }

    static std::string Show(double value) {
        if (value == std::floor(value) && std::abs(value) < 1e15) {
            return std::to_string(static_cast<int64_t>(value));
        }
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }

  private:
    std::string source_;
};

// Follows one lap piece by piece: the route must stay on the course's rows and end where it
// began, heading east again, or the next lap would not join it.
void CheckRoute(const Reader& reader, const StageDesign& design, const toml::array& pieces) {
    double x = kStartX;
    double y = kStartY;
    double heading = 0.0;
    for (size_t i = 0; i < design.route.size(); ++i) {
        const RoutePiece& p = design.route[i];
        const double length = p.turnDegrees != 0.0
                                  ? std::abs(p.turnDegrees) * std::numbers::pi / 180.0 * p.radius
                                  : p.straight;
        const double rate =
            p.turnDegrees == 0.0 ? 0.0 : (p.turnDegrees > 0 ? 1.0 : -1.0) / p.radius;
        const int32_t steps = std::max(1, static_cast<int32_t>(std::lround(length)));
        for (int32_t k = 0; k < steps; ++k) {
            const double ds = length / steps;
            const double mid = heading + rate * ds * 0.5;
            x += std::cos(mid) * ds;
            y += std::sin(mid) * ds;
            heading += rate * ds;
            if (y < kRouteTop || y > kRouteBottom) {
                reader.Fail(pieces[i].source(),
                            "this piece takes the route to row " + Reader::Show(std::round(y)) +
                                ", off the course; the route must keep to rows " +
                                Reader::Show(kRouteTop) + ".." + Reader::Show(kRouteBottom));
            }
        }
    }
    const double turns = heading / (2.0 * std::numbers::pi);
    const double dx = std::remainder(x - kStartX, static_cast<double>(kCourseWidth));
    const double dy = y - kStartY;
    if (std::abs(turns - std::round(turns)) * 360.0 > 0.5 || std::hypot(dx, dy) > kCloseTolerance) {
        const double degrees = std::remainder(heading * 180.0 / std::numbers::pi, 360.0);
        reader.Fail(pieces.source(),
                    "the route does not close: one lap ends at (" + Reader::Show(std::round(x)) +
                        ", " + Reader::Show(std::round(y)) + ") heading " +
                        Reader::Show(std::round(degrees)) + " degrees, not back at the start (" +
                        std::to_string(kStartX) + ", " + std::to_string(kStartY) +
                        ") heading 0 (east); x may differ by whole rounds of " +
                        std::to_string(kCourseWidth));
    }
}

}  // namespace

StageDesign ParseDesign(std::string_view text, const std::string& source) {
    const Reader reader(source);
    toml::table root;
    try {
        root = toml::parse(text, std::string_view(source));
    } catch (const toml::parse_error& error) {
        reader.Fail(error.source(), std::string(error.description()));
    }
    reader.OnlyKeys(root, "the design", {"stage", "ground", "route", "scenery"});

    StageDesign d;
    const toml::table& stage = reader.Section(
        root, "stage", {"name_en", "name_ja", "author", "version", "palette", "seed"});
    d.name = reader.Text(stage, "name_en", "stage", 60);
    d.nameJa = reader.Text(stage, "name_ja", "stage", 60);
    d.author = reader.Text(stage, "author", "stage", 60);
    d.version = reader.Text(stage, "version", "stage", 20);
    const toml::node& palette = reader.Need(stage, "palette", "stage");
    const auto* paletteName = palette.as_string();
    const auto found =
        paletteName == nullptr
            ? std::end(kPaletteNames)
            : std::find(std::begin(kPaletteNames), std::end(kPaletteNames), paletteName->get());
    if (found == std::end(kPaletteNames)) {
        reader.Fail(palette.source(),
                    "palette: must be one of \"vale\", \"desert\", \"ridge\", \"harbour\", "
                    "\"canyon\"");
    }
    d.palette = static_cast<int32_t>(found - std::begin(kPaletteNames));
    d.seed = static_cast<uint64_t>(reader.Integer(stage, "seed", "stage", 0, 0xFFFFFFFFLL));

    const toml::table& ground =
        reader.Section(root, "ground",
                       {"half_width", "bank_run", "wall_height", "floor_base", "floor_wave",
                        "hill_amplitude", "faceted"});
    d.halfWidth = reader.Number(ground, "half_width", "ground", 10, 40);
    d.bankRun = reader.Number(ground, "bank_run", "ground", 8, 80);
    d.wallHeight = reader.Number(ground, "wall_height", "ground", 10, 70);
    d.floorBase = reader.Number(ground, "floor_base", "ground", 10, 40);
    d.floorWave = reader.Number(ground, "floor_wave", "ground", 0, 12);
    d.hillAmplitude = reader.Number(ground, "hill_amplitude", "ground", 0, 24);
    const toml::node& faceted = reader.Need(ground, "faceted", "ground");
    if (faceted.as_boolean() == nullptr) {
        reader.Fail(faceted.source(), "faceted: must be true or false");
    }
    d.faceted = faceted.as_boolean()->get();

    const toml::table& route = reader.Section(root, "route", {"laps", "pieces"});
    d.laps = static_cast<int32_t>(reader.Integer(route, "laps", "route", 1, 5));
    const toml::node& piecesNode = reader.Need(route, "pieces", "route");
    const toml::array* pieces = piecesNode.as_array();
    if (pieces == nullptr || pieces->empty() || pieces->size() > 64) {
        reader.Fail(piecesNode.source(), "pieces: must be a list of 1 to 64 route pieces");
    }
    for (const toml::node& piece : *pieces) {
        d.route.push_back(reader.Piece(piece));
        d.routeLines.push_back(static_cast<int32_t>(piece.source().begin.line));
    }
    CheckRoute(reader, d, *pieces);

    const toml::table& scenery =
        reader.Section(root, "scenery", {"banks", "obstacles", "obstacle_count"});
    d.scenery = reader.Objects(scenery, "banks", "scenery", 1);
    d.obstacles = reader.Objects(scenery, "obstacles", "scenery", 0);
    d.obstacleCount = static_cast<int32_t>(
        reader.Integer(scenery, "obstacle_count", "scenery", 0, d.obstacles.empty() ? 0 : 24));
    return d;
}

StageDesign ReadDesignFile(const std::filesystem::path& path) {
    const std::string source = path.string();
    std::string why;
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, &why);
    if (!bytes) {
        throw DesignError(source + ": " + why);
    }
    return ParseDesign(std::string(bytes->begin(), bytes->end()), source);
}

std::filesystem::path BuiltInDesignPath(const std::filesystem::path& dir, int32_t n) {
    return dir / ("stage" + std::to_string(n) + ".toml");
}

std::filesystem::path DefaultDesignFolder() {
    return VANTRELL_STAGE_DESIGNS;
}

}  // namespace vantrell::contentgen
