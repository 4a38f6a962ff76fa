#include "race/frame_digest.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "craft/heading_tables.h"
#include "gfx/frame_layout.h"
#include "io/sha256.h"
#include "race/view_tables.h"

namespace vantrell {

namespace {

void AddIntegers(Sha256& hash, const int32_t* values, int32_t count) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(count) * 4);
    for (int32_t i = 0; i < count; ++i) {
        const auto v = static_cast<uint32_t>(values[i]);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(v >> shift));
        }
    }
    hash.Update(bytes);
}

}  // namespace

std::string TablesDigest() {
    ViewTables view;
    view.BuildGroundTable();
    view.BuildLiftTable();
    const HeadingTables headings = BuildHeadingTables();
    Sha256 hash;
    AddIntegers(hash, view.groundTable.get(), kGroundEntries);
    AddIntegers(hash, view.liftTable.get(), kLiftEntries);
    AddIntegers(hash, headings.cos.data(), kHeadingCount);
    AddIntegers(hash, headings.sin.data(), kHeadingCount);
    return HexDigest(hash.Finish());
}

std::string BandDigest(const Bitmap8& frameBuffer) {
    std::vector<uint8_t> bytes(static_cast<size_t>(kBandWidth) * kBandHeight, 0);
    const int32_t width = std::min(kBandWidth, frameBuffer.Width());
    const int32_t rows = std::clamp(frameBuffer.Height() - kBandTop, 0, kBandHeight);
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = frameBuffer.PixelAddress(0, kBandTop + y);
        std::copy(row, row + width, bytes.begin() + y * kBandWidth);
    }
    for (int32_t i = 0; i < 256; ++i) {
        const RgbQuad& c = frameBuffer.Colours()[i];
        bytes.insert(bytes.end(), {c.red, c.green, c.blue});
    }
    return HexDigest(Sha256Of(bytes));
}

}  // namespace vantrell
