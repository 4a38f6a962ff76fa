// Loading a stage into the game: at window creation (stage 0) and on every stage change.
#include <string>

#include "craft/heading_tables.h"
#include "gfx/palette.h"
#include "platform/dialogs.h"
#include "race/game_state.h"
#include "records/hiscore_table.h"

namespace vantrell {

void GameState::LoadStageData(int32_t n) {
    const std::string index = std::to_string(n);
    // A picture that does not load leaves the previous one; the colour steps still run.
    stagePicture.LoadBmp(DataPath("MAP" + index + "_8.BMP"));
    AdoptColours(frameBuffer, stagePicture);
    stagePicture.ReplaceColour(kTransparent, kFirstStageColour);

    terrain.LoadCornerHeights(DataPath("MAP" + index + ".DAT"));
    terrain.LoadCellTypes(DataPath("TYPE_" + index + ".DAT"));
    terrain.BuildHeightField();

    spriteSheet.LoadBmp(DataPath("CHR" + index + "_8.BMP"));
    LoadHeightProfiles(DataPath("CHR_H0.DAT"), heightProfiles);
}

void GameState::Create(ControlState* c1, ControlState* c2) {
    Headings();  // the heading tables, built once before the first step
    stageIndex = 0;
    LoadStageData(0);
    controls1 = c1;
    controls2 = c2;
    crafts.Init(c1, c2, &terrain);
    LoadCourseFiles(DataPath("OBJ0.COD"), DataPath("CHK0.COD"), course, terrain, spriteSheet,
                    heightProfiles, stagePicture);
    raceMode = ModeDemo;
    banner = BannerTitle;
    ResetRace();
    if (services_.records != nullptr) {
        services_.records->Load(0);
    }
    secondReplay = RecordingAt(0);
}

void GameState::SelectStage(int32_t n) {
    if (n != stageIndex) {
        // The question for the old stage comes before any file of the new one is read.
        if (services_.records != nullptr && services_.dialogs != nullptr) {
            services_.records->Save(*services_.dialogs, stageIndex);
        }
        stageIndex = n;
        LoadStageData(n);
        const std::string index = std::to_string(n);
        LoadCourseFiles(DataPath("OBJ" + index + ".COD"), DataPath("CHK" + index + ".COD"), course,
                        terrain, spriteSheet, heightProfiles, stagePicture);
        if (services_.records != nullptr) {
            services_.records->Load(n);
        }
    }
    StartDemo();
    firstReplay = RecordingAt(8);
    secondReplay = RecordingAt(9);
}

}  // namespace vantrell
