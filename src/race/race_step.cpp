// One tick of the race: replayed controls, the phase (countdown, finish, running), the craft,
// the recording, then the frame with the moving things stamped into the course and removed.
#include <algorithm>

#include "platform/display.h"
#include "race/game_state.h"
#include "race/run_code.h"
#include "race/view.h"
#include "sound/sound_player.h"

namespace vantrell {

namespace {

constexpr int32_t kFieldCells = kFieldRows * kFieldWidth;
constexpr int32_t kHalfSprite = 8;

// The 16 x 16 block of the height field whose first cell is (a, b), addressed with row stride
// 400 and no wrap. Cells that would fall outside the field are neither saved, stamped nor
// restored.
template <typename Visit>
void ForBlock(int32_t a, int32_t b, Visit visit) {
    const int32_t first = FieldIndex(a, b);
    for (int32_t r = 0; r < kSpriteSize; ++r) {
        for (int32_t c = 0; c < kSpriteSize; ++c) {
            const int32_t index = first + c - kFieldWidth * r;
            if (index >= 0 && index < kFieldCells) {
                visit(r, c, index);
            }
        }
    }
}

void SaveBlock(const int32_t* field, int32_t a, int32_t b, std::array<int32_t, 256>& save) {
    ForBlock(a, b, [&](int32_t r, int32_t c, int32_t i) { save[r * kSpriteSize + c] = field[i]; });
}

void RestoreBlock(int32_t* field, int32_t a, int32_t b, const std::array<int32_t, 256>& save) {
    ForBlock(a, b, [&](int32_t r, int32_t c, int32_t i) { field[i] = save[r * kSpriteSize + c]; });
}

bool Opaque(const Bitmap8& sheet, int32_t c, int32_t row) {
    return sheet.PixelAddress(c, row) != nullptr && sheet.GetPixel(c, row) != 255;
}

}  // namespace

int32_t GameState::RaceStep() {
    SoundPlayer* sound = services_.sound;
    auto effect = [sound](int32_t index) {
        if (sound != nullptr) {
            sound->PlayEffect(index, 0);
        }
    };
    auto endMusic = [sound] {
        if (sound != nullptr) {
            sound->PlayMusic(2);
        }
    };
    const bool racing = raceMode == ModeSolo || raceMode == ModeVersus;
    int32_t result = 0;
    bool markerShown = false;
    int32_t cx = 0;
    int32_t cy = 0;
    int32_t x = 0;  // the camera point, taken from the first craft right after it moved
    int32_t y = 0;

    // The second craft replays a recording one tick behind the recorded player.
    if (raceMode == ModeVersus || demoReplaying > 0) {
        if (countdown == 0) {
            replayTicks = std::min(replayTicks + 1, kRaceTickLimit);
        }
        ReplayByte(replayTicks > 0 ? secondReplay[replayTicks - 1] : 0, *controls2);
    }

    if (countdown > 0) {
        controls1->live = 0;
        controls2->live = 0;
        countdown -= 1;
        if (countdown <= 0) {
            countdown = 0;
            banner = BannerGo;
            bannerDirty = 1;
            effect(3);
        } else if (countdown == 62 || countdown == 42 || countdown == 21) {
            effect(2);
        }
        crafts.Step(countdown);
        x = crafts.first.x;
        y = crafts.first.y;
    } else if (finishCounter > 0) {
        controls1->live = 0;
        finishCounter += 1;
        if (finishCounter > kFinishLast) {
            finishCounter = kFinishLast;
            if (racing) {
                result = 1;
                if (sound != nullptr) {
                    sound->StopMusic();
                }
            } else {
                demoReplaying = 0;
                demoWait = kDemoWaitStart;
                crafts.Reset(ModeDemo);
                nextCheckpoint = 0;
                markerBlink = kMarkerBlinkStart;
                banner = BannerTitle;
                bannerDirty = 1;
                countdown = 0;
                finishCounter = 0;
                raceTicks = 0;
            }
        }
        crafts.Step(finishCounter);
        x = crafts.first.x;
        y = crafts.first.y;
    } else {
        if (demoReplaying > 0 || racing) {
            raceTicks += 1;
            if (raceMode == ModeDemo) {
                ReplayByte(firstReplay[raceTicks - 1], *controls1);
            }
        }
        crafts.Step(0);
        x = crafts.first.x;
        y = crafts.first.y;
        if (raceTicks >= kRaceTickLimit) {
            finishCounter = 1;
            banner = BannerTimeUp;
            bannerDirty = 1;
            if (racing) {
                endMusic();
            }
        } else {
            if (racing) {
                runInputs[raceTicks] = EncodeControls(*controls1);
            }
            if (raceMode == ModeDemo && demoReplaying == 0) {
                demoWait -= 1;
                if (demoWait <= 0) {
                    demoReplaying = 1;
                    crafts.Reset(ModeVersus);
                    nextCheckpoint = 0;
                    markerBlink = kMarkerBlinkStart;
                    banner = BannerDemo;
                    bannerDirty = 1;
                    raceTicks = 0;
                    replayTicks = 0;
                    countdown = kCountdownStart;
                    finishCounter = 0;
                    firstReplay = RecordingAt(8);
                    secondReplay = RecordingAt(9);
                }
            }
            // Read now: the checkpoint test already runs on the tick the replay starts, with the
            // camera point from before the reset.
            if (demoReplaying > 0 || racing) {
                if (nextCheckpoint > kCheckpointCount - 1) {
                    finishCounter = 1;
                } else {
                    cx = course.checkpoints[nextCheckpoint].x;
                    cy = course.checkpoints[nextCheckpoint].y;
                    markerBlink -= 1;
                    markerShown = markerBlink < 2;
                    if (markerBlink < 0) {
                        markerBlink = 6;
                    }
                    if (cx < x && x < cx + 16 && cy < y && y < cy + 16) {
                        if (nextCheckpoint == 0) {
                            banner = demoReplaying > 0 ? BannerDemo : BannerNone;
                            bannerDirty = 1;
                        }
                        nextCheckpoint += 1;
                        markerBlink = 0;
                        if (nextCheckpoint == kCheckpointCount) {
                            effect(1);
                            banner = BannerGoal;
                            bannerDirty = 1;
                            if (racing) {
                                endMusic();
                            }
                        } else {
                            effect(0);
                        }
                    }
                }
            }
        }
    }

    ComposeFrame(x, y, markerShown, cx, cy);

    if (bannerDirty > 0) {
        bannerDirty = 0;
        PaintStatus();
    }
    return result;
}

void GameState::ComposeFrame(int32_t x1, int32_t y1, bool markerShown, int32_t cx, int32_t cy) {
    int32_t* field = terrain.Field();
    const CraftState& second = crafts.second;
    const int32_t x2 = second.x;
    const int32_t y2 = second.y;

    // Everything is saved before anything is stamped, so the restores give back the course
    // exactly, whatever overlaps.
    SaveBlock(field, x2 - kHalfSprite, y2 - kHalfSprite, heightSaves[1]);
    saveBuffers[1].GrabFrom(&stagePicture, x2 - kHalfSprite, y2 + 202);
    SaveBlock(field, x1 - kHalfSprite, y1 - kHalfSprite, heightSaves[0]);
    saveBuffers[0].GrabFrom(&stagePicture, x1 - kHalfSprite, y1 + 202);
    if (markerShown) {
        SaveBlock(field, cx, cy, heightSaves[2]);
        saveBuffers[2].GrabFrom(&stagePicture, cx, cy + 210);
        const int32_t top = kSpriteSize * kMarkerFrame;
        ForBlock(cx, cy, [&](int32_t r, int32_t c, int32_t i) {
            if (Opaque(spriteSheet, c, top + r)) {
                field[i] += heightProfiles.At(kMarkerFrame, r, c);
            }
        });
        spriteSheet.BlitKeyed(&stagePicture, cx, cy + 210, kSpriteSize, kSpriteSize, 0, top);
    }
    auto stampCraft = [&](const CraftState& craft, int32_t frame) {
        const int32_t top = kSpriteSize * frame;
        ForBlock(craft.x - kHalfSprite, craft.y - kHalfSprite,
                 [&](int32_t r, int32_t c, int32_t i) {
                     if (Opaque(spriteSheet, c, top + r)) {
                         field[i] = heightProfiles.At(frame, r, c) + craft.ground;
                     }
                 });
        spriteSheet.BlitKeyed(&stagePicture, craft.x - kHalfSprite, craft.y + 202, kSpriteSize,
                              kSpriteSize, 0, top);
    };
    stampCraft(second, second.heading / 2 + 32);
    // The first craft is stamped where the camera point was taken (on the tick a demonstration
    // replay starts, that is where it idled, not where the reset put it).
    CraftState first = crafts.first;
    first.x = x1;
    first.y = y1;
    stampCraft(first, crafts.first.heading / 2);

    // The view follows the first craft as it stands now.
    const int32_t vx = crafts.first.x;
    const int32_t vy = crafts.first.y;
    frameBuffer.FillRect(0, 108, 96, 160, 0);
    const int32_t cameraHeight = terrain.HeightAt(vx, vy);
    RenderView(view, stagePicture, terrain, frameBuffer, vx, vy, crafts.first.viewHeading,
               cameraHeight);
    if (services_.display != nullptr) {
        services_.display->Present(frameBuffer);
    }

    RestoreBlock(field, x1 - kHalfSprite, y1 - kHalfSprite, heightSaves[0]);
    saveBuffers[0].PutTo(&stagePicture, x1 - kHalfSprite, y1 + 202);
    RestoreBlock(field, x2 - kHalfSprite, y2 - kHalfSprite, heightSaves[1]);
    saveBuffers[1].PutTo(&stagePicture, x2 - kHalfSprite, y2 + 202);
    if (markerShown) {
        RestoreBlock(field, cx, cy, heightSaves[2]);
        saveBuffers[2].PutTo(&stagePicture, cx, cy + 210);
    }
}

}  // namespace vantrell
