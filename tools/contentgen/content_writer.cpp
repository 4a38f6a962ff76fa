#include "content_writer.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/file_bytes.h"
#include "common/png_writer.h"
#include "course.h"
#include "design_file.h"
#include "gfx/bitmap8.h"
#include "gfx/bmp_writer.h"
#include "music.h"
#include "overview.h"
#include "palette.h"
#include "sound_effects.h"
#include "sprites.h"
#include "stage_picture.h"
#include "view_shots.h"
#include "world/stage_count.h"

namespace vantrell::contentgen {

namespace {

std::string Path(const std::string& dir, const std::string& name) {
    return dir + "/" + name;
}

void SetColours(Bitmap8& bitmap, const Palette& palette) {
    for (size_t i = 0; i < palette.size(); ++i) {
        bitmap.Colours()[i] = RgbQuad{palette[i].b, palette[i].g, palette[i].r, 0};
    }
}

void SaveIndexed(const std::string& path, int32_t width, int32_t height,
                 const std::vector<uint8_t>& pixels, const Palette& palette) {
    Bitmap8 bitmap;
    bitmap.Resize(width, height);
    SetColours(bitmap, palette);
    std::fill(bitmap.Pixels(), bitmap.Pixels() + bitmap.PixelBytes(), 0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            *bitmap.PixelAddress(x, y) = pixels[static_cast<size_t>(y) * width + x];
        }
    }
    if (!SaveBmp(bitmap, path)) {
        throw std::runtime_error(path + ": cannot write the picture");
    }
}

tools::Bytes CornerFile(const Stage& stage) {
    tools::Bytes out;
    for (const auto& row : stage.corners) {
        for (int32_t h : row) {
            tools::PutBe16(out, static_cast<uint32_t>(h));
        }
    }
    return out;
}

tools::Bytes TypeFile(const Stage& stage) {
    tools::Bytes out;
    for (const auto& row : stage.types) {
        for (int32_t t : row) {
            tools::PutBe16(out, static_cast<uint32_t>(t));
        }
    }
    return out;
}

tools::Bytes ObjectFile(const Stage& stage) {
    tools::Bytes out;
    for (const CourseObject& o : stage.objects) {
        tools::PutBe16(out, static_cast<uint16_t>(o.sprite));
        tools::PutBe16(out, static_cast<uint16_t>(o.x));
        tools::PutBe16(out, static_cast<uint16_t>(o.y));
    }
    return out;
}

tools::Bytes CheckpointFile(const Stage& stage) {
    tools::Bytes out;
    for (const Checkpoint& c : stage.checkpoints) {
        tools::PutBe16(out, static_cast<uint16_t>(c.x));
        tools::PutBe16(out, static_cast<uint16_t>(c.y));
    }
    return out;
}

tools::Bytes ProfileFile(const SpriteSheet& sheet) {
    tools::Bytes out;
    for (const auto& frame : sheet.height) {
        for (const auto& row : frame) {
            for (int32_t h : row) {
                tools::PutBe16(out, static_cast<uint32_t>(h * 2));  // the game halves it
            }
        }
    }
    return out;
}

std::vector<uint8_t> SheetPixels(const SpriteSheet& sheet) {
    std::vector<uint8_t> pixels(static_cast<size_t>(kFrameSize) * kFrameSize * kFrameCount);
    for (int32_t f = 0; f < kFrameCount; ++f) {
        for (int32_t r = 0; r < kFrameSize; ++r) {
            for (int32_t c = 0; c < kFrameSize; ++c) {
                pixels[static_cast<size_t>(f * kFrameSize + r) * kFrameSize + c] =
                    sheet.colour[f][r][c];
            }
        }
    }
    return pixels;
}

}  // namespace

BuiltStage BuildStage(const StageDesign& design, const SpriteSheet& sheet) {
    BuiltStage b;
    b.stage = DesignStage(design);
    b.palette = StagePalette(design.palette);
    b.terrain = std::make_unique<Terrain>();
    b.terrain->cornerHeights = b.stage.corners;
    for (int32_t i = 0; i < kCells; ++i) {
        for (int32_t j = 0; j < kCells; ++j) {
            b.terrain->cellTypes[i][j] = b.stage.types[i][j];
        }
    }
    b.terrain->BuildHeightField();
    b.picture = PaintStagePicture(b.stage, *b.terrain, sheet, design.palette);
    return b;
}

void WriteProfiles(const std::string& dir, const SpriteSheet& sheet) {
    tools::MakeDirectories(dir);
    tools::WriteFileBytes(Path(dir, "CHR_H0.DAT"), ProfileFile(sheet));
}

void WriteStageFiles(const std::string& dir, int32_t slot, const BuiltStage& b,
                     const SpriteSheet& sheet) {
    const std::string id = std::to_string(slot);
    tools::WriteFileBytes(Path(dir, "MAP" + id + ".DAT"), CornerFile(b.stage));
    tools::WriteFileBytes(Path(dir, "TYPE_" + id + ".DAT"), TypeFile(b.stage));
    tools::WriteFileBytes(Path(dir, "OBJ" + id + ".COD"), ObjectFile(b.stage));
    tools::WriteFileBytes(Path(dir, "CHK" + id + ".COD"), CheckpointFile(b.stage));
    SaveIndexed(Path(dir, "MAP" + id + "_8.BMP"), kPictureWidth, kPictureHeight, b.picture,
                b.palette);
    SaveIndexed(Path(dir, "CHR" + id + "_8.BMP"), kFrameSize, kFrameSize * kFrameCount,
                SheetPixels(sheet), b.palette);
}

void WriteGameDirectory(const std::string& dir, const std::filesystem::path& designs) {
    tools::MakeDirectories(dir);
    tools::MakeDirectories(Path(dir, "overview"));
    const SpriteSheet sheet = DrawSpriteSheet();
    WriteProfiles(dir, sheet);
    for (int32_t n = 0; n < kStageCount; ++n) {
        BuiltStage b = BuildStage(ReadDesignFile(BuiltInDesignPath(designs, n)), sheet);
        const std::string id = std::to_string(n);
        WriteStageFiles(dir, n, b, sheet);

        std::vector<uint8_t> stamped = b.picture;
        StampObjects(b.stage, sheet, *b.terrain, stamped);
        tools::WriteFileBytes(Path(dir, "overview/STAGE" + id + ".png"),
                              tools::EncodePng(DrawOverview(b.stage, stamped, b.palette, 2)));
        double top = 1e9;
        double bottom = -1e9;
        for (const RoutePoint& p : b.stage.route) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        const size_t lapEnd =
            b.stage.route.size() / static_cast<size_t>(std::max(1, b.stage.design.laps));
        std::printf(
            "stage %d %-14s route %5.0f units (%d laps, first lap ends at %.0f,%.0f), rows "
            "%.0f..%.0f\n",
            n, b.stage.design.name.c_str(), b.stage.routeLength, b.stage.design.laps,
            b.stage.route[lapEnd].x, b.stage.route[lapEnd].y, top, bottom);
    }
    tools::WriteFileBytes(Path(dir, "bgm1.mid"), ComposeRaceMusic());
    tools::WriteFileBytes(Path(dir, "stend.mid"), ComposeEndJingle());
}

void WriteResources(const std::string& dir) {
    tools::MakeDirectories(dir);
    for (int32_t i = 0; i < kEffectCount; ++i) {
        tools::WriteFileBytes(Path(dir, "WAVDAT" + std::to_string(i) + ".wav"), MakeEffectWave(i));
    }
    tools::WriteFileBytes(Path(dir, "VANTRICO.png"), DrawIcon(64));
    tools::WriteFileBytes(Path(dir, "VANTRICO32.png"), DrawIcon(32));
}

void WriteIcons(const std::string& dir) {
    tools::MakeDirectories(dir);
    for (const int32_t size : {16, 32, 48, 64, 128, 256}) {
        tools::WriteFileBytes(Path(dir, "vantrell-" + std::to_string(size) + ".png"),
                              DrawIcon(size));
    }
}

void WriteDocPictures(const std::string& dir, const std::filesystem::path& designs) {
    tools::MakeDirectories(dir);
    const SpriteSheet sheet = DrawSpriteSheet();
    for (int32_t n = 0; n < kStageCount; ++n) {
        BuiltStage b = BuildStage(ReadDesignFile(BuiltInDesignPath(designs, n)), sheet);
        std::vector<uint8_t> stamped = b.picture;
        StampObjects(b.stage, sheet, *b.terrain, stamped);
        const std::string id = std::to_string(n);
        tools::WriteFileBytes(Path(dir, "stage" + id + "-overview.png"),
                              tools::EncodePng(DrawOverview(b.stage, stamped, b.palette, 1)));
        WriteViewShots(b, sheet, stamped, Path(dir, "stage" + id + "-view"));
    }
}

}  // namespace vantrell::contentgen
