#include "hosts/web/web_panel.h"

#include <vector>

#include "hosts/web/web_bridge.h"
#include "race/course_map.h"
#include "records/run_time.h"
#include "world/course_files.h"

namespace vantrell::web {

namespace {

std::string Point(const MapPoint& point) {
    return "[" + std::to_string(point.x) + "," + std::to_string(point.y) + "]";
}

std::string Rows(const CourseWraps& wraps) {
    std::string json = "[";
    for (int32_t i = 0; i < wraps.count; ++i) {
        json += (i > 0 ? "," : "") + std::to_string(wraps.rows[static_cast<size_t>(i)]);
    }
    return json + "]";
}

}  // namespace

void WebPanel::Show(const RaceDisplay& display) {
    if (display.picture != nullptr && display.stage != mapStage_) {
        page::ShowCourseMap(CourseMapRgba(*display.picture), kCourseMapSize);
        mapStage_ = display.stage;
    }
    std::string json =
        std::string("{\"timed\":") + (display.timed ? "true" : "false") +
        ",\"raceTicks\":" + std::to_string(display.raceTicks) +
        ",\"ticksLeft\":" + std::to_string(display.ticksLeft) +
        ",\"time\":" + JsonQuote(TicksWithSeconds(display.raceTicks)) +
        ",\"left\":" + JsonQuote(TicksWithSeconds(display.ticksLeft)) +
        ",\"timeUp\":" + (display.timeUp ? "true" : "false") +
        // The hint's own text: the page translates it as it does its other lines.
        ",\"hint\":" + (display.hintShown ? JsonQuote(kRaceHint) : "null") + ",\"missed\":" +
        (display.missedShown
             ? "{\"time\":" + JsonQuote(TicksWithSeconds(display.missedTime)) +
                   ",\"lastPlace\":" + JsonQuote(TicksWithSeconds(display.lastPlaceTime)) + "}"
             : "null") +
        ",\"passed\":" + std::to_string(display.checkpointsPassed) +
        ",\"checkpoints\":" + std::to_string(kCheckpointCount) +
        ",\"first\":" + Point(display.first) + ",\"second\":" + Point(display.second) +
        ",\"next\":" + (display.nextShown ? Point(display.next) : "null") +
        ",\"wraps\":" + Rows(display.wraps) + ",\"split\":" +
        (display.splitShown ? "{\"value\":" + std::to_string(display.split) +
                                  ",\"total\":" + (display.splitIsTotal ? "true" : "false") + "}"
                            : "null") +
        "}";
    if (json != last_) {
        page::ShowRaceDisplay(json);
        last_ = std::move(json);
    }
}

}  // namespace vantrell::web
