#include "hosts/web/web_panel.h"

#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "gfx/bitmap8.h"
#include "world/course_files.h"

namespace vantrell::web {

namespace {

constexpr int32_t kCourseUnits = 400;       // the course is 400 units around and about as deep
constexpr int32_t kPictureCourseTop = 210;  // picture row of course row 0

// The body is JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, PanelOnPage, (const char* json), { VT.panel.show(JSON.parse(UTF8ToString(json))); });
EM_JS(void, PanelMapOnPage, (const uint8_t* rgba, int32_t size), {
    VT.panel.map(HEAPU8.slice(rgba, rgba + size * size * 4), size);
});
// clang-format on

std::string Point(const MapPoint& point) {
    return "[" + std::to_string(point.x) + "," + std::to_string(point.y) + "]";
}

}  // namespace

void WebPanel::Show(const RaceDisplay& display) {
    if (display.picture != nullptr && display.stage != mapStage_) {
        // The course part of the stage's picture, one pixel a course unit.
        const Bitmap8& picture = *display.picture;
        std::vector<uint8_t> rgba(static_cast<size_t>(kCourseUnits) * kCourseUnits * 4, 0);
        const int32_t rows = std::clamp(picture.Height() - kPictureCourseTop, 0, kCourseUnits);
        const int32_t columns = std::min(picture.Width(), kCourseUnits);
        for (int32_t y = 0; y < rows; ++y) {
            const uint8_t* row = picture.PixelAddress(0, kPictureCourseTop + y);
            for (int32_t x = 0; x < columns && row != nullptr; ++x) {
                const RgbQuad& c = picture.Colours()[row[x]];
                uint8_t* out = &rgba[(static_cast<size_t>(y) * kCourseUnits + x) * 4];
                out[0] = c.red;
                out[1] = c.green;
                out[2] = c.blue;
                out[3] = 255;
            }
        }
        PanelMapOnPage(rgba.data(), kCourseUnits);
        mapStage_ = display.stage;
    }
    std::string json =
        std::string("{\"timed\":") + (display.timed ? "true" : "false") +
        ",\"raceTicks\":" + std::to_string(display.raceTicks) +
        ",\"ticksLeft\":" + std::to_string(display.ticksLeft) +
        ",\"passed\":" + std::to_string(display.checkpointsPassed) +
        ",\"checkpoints\":" + std::to_string(kCheckpointCount) +
        ",\"first\":" + Point(display.first) + ",\"second\":" + Point(display.second) +
        ",\"next\":" + (display.nextShown ? Point(display.next) : "null") + ",\"split\":" +
        (display.splitShown ? "{\"value\":" + std::to_string(display.split) +
                                  ",\"total\":" + (display.splitIsTotal ? "true" : "false") + "}"
                            : "null") +
        "}";
    if (json != last_) {
        PanelOnPage(json.c_str());
        last_ = std::move(json);
    }
}

}  // namespace vantrell::web
