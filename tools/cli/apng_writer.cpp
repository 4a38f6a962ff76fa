#include "cli/apng_writer.h"

#include <zlib.h>

#include <stdexcept>

#include "common/file_bytes.h"

namespace vantrell::cli {

namespace {

using tools::Bytes;

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    tools::PutBe32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    tools::PutBe32(out, static_cast<uint32_t>(crc));
}

// Rows with the Up filter: successive rows of a stretched picture repeat, which then packs to
// almost nothing.
Bytes Compress(const tools::RgbImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    Bytes raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.pixels.data() + y * rowBytes;
        // The row above, if any: indexing `row` with i - rowBytes would wrap the unsigned index.
        const uint8_t* rowAbove = y > 0 ? row - rowBytes : nullptr;
        raw.push_back(2);  // Up
        for (size_t i = 0; i < rowBytes; ++i) {
            const uint8_t above = rowAbove != nullptr ? rowAbove[i] : 0;
            raw.push_back(static_cast<uint8_t>(row[i] - above));
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) {
        throw std::runtime_error("animated PNG: compression failed");
    }
    packed.resize(size);
    return packed;
}

}  // namespace

ApngWriter::ApngWriter(int32_t width, int32_t height, int32_t delayMs)
    : width_(width), height_(height), delayMs_(delayMs) {}

void ApngWriter::AddFrame(const tools::RgbImage& frame) {
    if (frame.width != width_ || frame.height != height_) {
        throw std::runtime_error("animated PNG: every frame must have the first frame's size");
    }
    frames_.push_back(Compress(frame));
}

std::vector<uint8_t> ApngWriter::Encode() const {
    if (frames_.empty()) {
        throw std::runtime_error("animated PNG: no frame to write");
    }
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    tools::PutBe32(header, static_cast<uint32_t>(width_));
    tools::PutBe32(header, static_cast<uint32_t>(height_));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, filters, no interlace
    PutChunk(out, "IHDR", header);

    Bytes animation;
    tools::PutBe32(animation, static_cast<uint32_t>(frames_.size()));
    tools::PutBe32(animation, 0);  // loop forever
    PutChunk(out, "acTL", animation);

    uint32_t sequence = 0;
    for (size_t f = 0; f < frames_.size(); ++f) {
        Bytes control;
        tools::PutBe32(control, sequence++);
        tools::PutBe32(control, static_cast<uint32_t>(width_));
        tools::PutBe32(control, static_cast<uint32_t>(height_));
        tools::PutBe32(control, 0);  // x offset
        tools::PutBe32(control, 0);  // y offset
        tools::PutBe16(control, static_cast<uint32_t>(delayMs_));
        tools::PutBe16(control, 1000);  // delay in milliseconds
        control.push_back(0);           // dispose: none (every frame covers the whole picture)
        control.push_back(0);           // blend: source
        PutChunk(out, "fcTL", control);
        if (f == 0) {
            PutChunk(out, "IDAT", frames_[f]);  // the first frame doubles as the still picture
        } else {
            Bytes data;
            tools::PutBe32(data, sequence++);
            data.insert(data.end(), frames_[f].begin(), frames_[f].end());
            PutChunk(out, "fdAT", data);
        }
    }
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace vantrell::cli
