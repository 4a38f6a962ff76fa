// What must hold after every race tick, whatever the controls, the mode or the stage: both craft
// on the course with headings in range, the race counters within their bounds, and the course
// (stage picture and height field) exactly as it was before the tick, the stamps removed.
// Shared by the soak and the fuzz targets that drive race ticks.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "craft/craft.h"
#include "gfx/frame_layout.h"
#include "race/game_state.h"

namespace vantrell::check {

// A copy of the course to compare against after a tick. The buffers are kept between captures,
// so capturing allocates only when the picture grows.
class CourseSnapshot {
  public:
    void Capture(const GameState& game) {
        const int32_t* field = game.CurrentStage().Ground().Field();
        field_.assign(field, field + kFieldRows * kFieldWidth);
        const Bitmap8& picture = game.CurrentStage().Picture();
        width_ = picture.Width();
        height_ = picture.Height();
        pixels_.assign(picture.Pixels(), picture.Pixels() + picture.PixelBytes());
    }

    // Empty when the course is as captured, otherwise what differs first.
    std::string Difference(const GameState& game) const {
        const int32_t* field = game.CurrentStage().Ground().Field();
        if (std::memcmp(field, field_.data(), field_.size() * sizeof(int32_t)) != 0) {
            for (std::size_t i = 0; i < field_.size(); ++i) {
                if (field[i] != field_[i]) {
                    const int32_t x = static_cast<int32_t>(i % kFieldWidth);
                    const int32_t y = kFieldTopY - static_cast<int32_t>(i / kFieldWidth);
                    return "height at (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                           std::to_string(field[i]) + ", was " + std::to_string(field_[i]);
                }
            }
        }
        const Bitmap8& picture = game.CurrentStage().Picture();
        if (picture.Width() != width_ || picture.Height() != height_) {
            return "stage picture resized";
        }
        if (std::memcmp(picture.Pixels(), pixels_.data(), pixels_.size()) != 0) {
            for (std::size_t i = 0; i < pixels_.size(); ++i) {
                if (picture.Pixels()[i] != pixels_[i]) {
                    return "stage picture byte " + std::to_string(i) + " changed";
                }
            }
        }
        return {};
    }

  private:
    std::vector<int32_t> field_;
    std::vector<uint8_t> pixels_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

inline std::string Craft(const char* which, const CraftState& craft) {
    auto bad = [which](const char* what, int32_t value) {
        return std::string(which) + " craft " + what + " out of range: " + std::to_string(value);
    };
    if (craft.heading < 0 || craft.heading > 63) {
        return bad("heading", craft.heading);
    }
    if (craft.viewHeading < 0 || craft.viewHeading > 63) {
        return bad("view heading", craft.viewHeading);
    }
    // An active craft may stand on x = 400 (read as column 0) and between the two edges in y;
    // an idle one circles its fixed lane.
    if (craft.x < 0 || craft.x > kCourseLengthFixed / 512) {
        return bad("x", craft.x);
    }
    if (craft.active > 0) {
        if (craft.posX < 0 || craft.posX > kCourseLengthFixed) {
            return bad("fixed-point x", craft.posX);
        }
        if (craft.posY < kEdgeLowFixed || craft.posY > kEdgeHighFixed) {
            return bad("fixed-point y", craft.posY);
        }
        if (craft.x != craft.posX / 512 || craft.y != craft.posY / 512) {
            return bad("whole-unit position off its fixed point", craft.x);
        }
    } else if (craft.y != 25 && craft.y != 35 && craft.y != kStartPoint) {
        return bad("idle lane y", craft.y);
    }
    if (craft.ground != craft.world->HeightAt(craft.x, craft.y)) {
        return bad("ground", craft.ground);
    }
    return {};
}

// Empty when the game state after a tick is sound, otherwise the first fault found.
inline std::string AfterTick(const GameState& game) {
    if (std::string fault = Craft("first", game.Crafts().first); !fault.empty()) {
        return fault;
    }
    if (std::string fault = Craft("second", game.Crafts().second); !fault.empty()) {
        return fault;
    }
    auto within = [](const char* what, int32_t value, int32_t low, int32_t high) -> std::string {
        if (value < low || value > high) {
            return std::string(what) + " out of range: " + std::to_string(value);
        }
        return {};
    };
    const RaceProgress& p = game.Progress();
    for (std::string fault : {within("nextCheckpoint", p.NextCheckpoint(), 0, kCheckpointCount),
                              within("raceTicks", p.RaceTicks(), 0, kRaceTickLimit),
                              within("replayTicks", p.ReplayTicks(), 0, kRaceTickLimit),
                              within("countdown", p.Countdown(), 0, kCountdownStart),
                              within("finishCounter", p.FinishCounter(), 0, kFinishLast),
                              within("markerBlink", p.MarkerBlink(), 0, 6),
                              within("banner", p.Banner(), BannerNone, BannerTimeUp)}) {
        if (!fault.empty()) {
            return fault;
        }
    }
    if (game.FrameBuffer().Width() != kFrameWidth || game.FrameBuffer().Height() != kFrameHeight) {
        return "frame buffer resized";
    }
    return {};
}

}  // namespace vantrell::check
