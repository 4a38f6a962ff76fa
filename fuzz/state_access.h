// Deep access to the game state for the fuzz targets: they put craft anywhere, skip to any moment
// of a race and reload single files, so the code under test is reached in a few ticks. The game
// never uses this; its parts name it a friend for exactly this.
#pragma once

#include "race/game_state.h"

namespace vantrell {

struct StateAccess {
    explicit StateAccess(GameState& game)
        : crafts(game.crafts_),
          stage(game.stage_),
          frame(game.frame_),
          terrain(game.stage_.terrain_),
          stagePicture(game.stage_.picture_),
          spriteSheet(game.stage_.sprites_),
          heightProfiles(game.stage_.profiles_),
          course(game.stage_.course_),
          stageIndex(game.stage_.index_),
          countdown(game.progress_.countdown_),
          finishCounter(game.progress_.finishCounter_),
          raceTicks(game.progress_.raceTicks_),
          replayTicks(game.progress_.replayTicks_),
          nextCheckpoint(game.progress_.nextCheckpoint_),
          markerBlink(game.progress_.markerBlink_),
          demoWait(game.demo_.wait_) {}

    CraftPair& crafts;
    Stage& stage;
    FrameComposer& frame;
    Terrain& terrain;
    Bitmap8& stagePicture;
    Bitmap8& spriteSheet;
    HeightProfiles& heightProfiles;
    CourseTables& course;
    int32_t& stageIndex;
    int32_t& countdown;
    int32_t& finishCounter;
    int32_t& raceTicks;
    int32_t& replayTicks;
    int32_t& nextCheckpoint;
    int32_t& markerBlink;
    int32_t& demoWait;
};

}  // namespace vantrell
