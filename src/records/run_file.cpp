#include "records/run_file.h"

#include <algorithm>
#include <array>

#include "world/stage_count.h"

namespace vantrell {

namespace {

constexpr std::array<uint8_t, 8> kMagic = {'V', 'A', 'N', 'R', 'U', 'N', '\r', '\n'};
// Where each field starts; every number is big-endian.
constexpr size_t kVersionAt = 8;
constexpr size_t kStageAt = 10;
constexpr size_t kCourseAt = 12;
constexpr size_t kNameLengthAt = 44;
constexpr size_t kNameAt = 45;
constexpr size_t kTimeAt = kNameAt + kNameBytes;
constexpr size_t kRecordingAt = kTimeAt + 2;
constexpr size_t kChecksumAt = kRecordingAt + kRecordingBytes;
static_assert(kChecksumAt + 32 == kRunFileBytes);

uint16_t Be16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void PutBe16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value >> 8);
    out[at + 1] = static_cast<uint8_t>(value);
}

RunFileRead Refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

}  // namespace

bool BeginsAsRunFile(std::span<const uint8_t> bytes) {
    const size_t marked = std::min(bytes.size(), kMagic.size());
    return !bytes.empty() && std::equal(bytes.begin(), bytes.begin() + marked, kMagic.begin());
}

RunFileRead ReadRunFile(std::span<const uint8_t> bytes) {
    const std::string size = std::to_string(bytes.size());
    if (!BeginsAsRunFile(bytes)) {
        return Refused("is not a run file (it does not begin with VANRUN)");
    }
    if (bytes.size() < kStageAt) {
        return Refused("is cut short: " + size + " bytes of the 2494 a run file has");
    }
    const uint16_t version = Be16(bytes, kVersionAt);
    if (version != kRunFileVersion) {
        return Refused("is a run file of version " + std::to_string(version) +
                       ", and this program reads version 1 only");
    }
    if (bytes.size() < kRunFileBytes) {
        return Refused("is cut short: " + size + " bytes of the 2494 a run file has");
    }
    if (bytes.size() > kRunFileBytes) {
        return Refused("is damaged: " + size + " bytes, more than the 2494 a run file has");
    }
    const Sha256Digest checksum = Sha256Of(bytes.first(kChecksumAt));
    if (!std::equal(checksum.begin(), checksum.end(), bytes.begin() + kChecksumAt)) {
        return Refused("is damaged: its checksum does not match its contents");
    }

    RunFile run;
    run.stage = Be16(bytes, kStageAt);
    if (run.stage >= kStageCount) {
        return Refused("names stage " + std::to_string(run.stage) + "; there are stages 0 to 4");
    }
    std::copy_n(bytes.begin() + kCourseAt, run.course.size(), run.course.begin());
    const size_t nameLength = bytes[kNameLengthAt];
    if (nameLength > kNameBytes) {
        return Refused("holds a name of " + std::to_string(nameLength) +
                       " bytes; a record file keeps at most 15");
    }
    run.name.assign(bytes.begin() + kNameAt, bytes.begin() + kNameAt + nameLength);
    // A NUL would end the name early and a line break would split the record file's lines.
    if (run.name.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
        return Refused("holds a name with a NUL or a line break, which a record file cannot keep");
    }
    if (!std::all_of(bytes.begin() + kNameAt + nameLength, bytes.begin() + kTimeAt,
                     [](uint8_t b) { return b == 0; })) {
        return Refused("is damaged: bytes after the name are not zero");
    }
    run.time = Be16(bytes, kTimeAt);
    if (run.time < 1 || run.time > kRecordingBytes) {
        return Refused("claims a time of " + std::to_string(run.time) +
                       " ticks; a race lasts 1 to 2400");
    }
    std::copy_n(bytes.begin() + kRecordingAt, kRecordingBytes, run.recording.begin());
    return {run, {}};
}

std::vector<uint8_t> WriteRunFile(const RunFile& run) {
    std::vector<uint8_t> out(kRunFileBytes, 0);
    std::copy(kMagic.begin(), kMagic.end(), out.begin());
    PutBe16(out, kVersionAt, kRunFileVersion);
    PutBe16(out, kStageAt, static_cast<uint32_t>(run.stage));
    std::copy(run.course.begin(), run.course.end(), out.begin() + kCourseAt);
    const size_t nameLength = std::min(run.name.size(), kNameBytes);
    out[kNameLengthAt] = static_cast<uint8_t>(nameLength);
    std::copy_n(run.name.begin(), nameLength, out.begin() + kNameAt);
    PutBe16(out, kTimeAt, static_cast<uint32_t>(run.time));
    std::copy(run.recording.begin(), run.recording.end(), out.begin() + kRecordingAt);
    const Sha256Digest checksum = Sha256Of(std::span<const uint8_t>(out).first(kChecksumAt));
    std::copy(checksum.begin(), checksum.end(), out.begin() + kChecksumAt);
    return out;
}

}  // namespace vantrell
