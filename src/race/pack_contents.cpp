#include "race/pack_contents.h"

namespace vantrell {

std::vector<std::pair<std::string, const std::vector<uint8_t>*>> PackGameFiles(
    const StagePack& pack) {
    static const std::vector<uint8_t> kNone;
    const StageBytes& s = pack.stage;
    std::vector<std::pair<std::string, const std::vector<uint8_t>*>> files = {
        {"MAP0.DAT", &s.cornerHeights}, {"TYPE_0.DAT", &s.cellTypes}, {"OBJ0.COD", &s.objects},
        {"CHK0.COD", &s.checkpoints},   {"MAP0_8.BMP", &s.picture},   {"CHR0_8.BMP", &s.sprites},
        {"CHR_H0.DAT", &s.profiles}};
    const RecordBytes& r = pack.records;
    files.emplace_back(HiScoreTable::RecordFileName(kPackStage), r.record ? &*r.record : &kNone);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.emplace_back(HiScoreTable::RecordingFileName(kPackStage, k),
                           r.recordings[k] ? &*r.recordings[k] : &kNone);
    }
    return files;
}

std::string CheckPackText(const std::string& text, std::size_t maxBytes) {
    if (text.empty() || text.size() > maxBytes) {
        return "must be 1 to " + std::to_string(maxBytes) + " bytes, is " +
               std::to_string(text.size());
    }
    for (const unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            return "holds a control character";
        }
    }
    return {};
}

}  // namespace vantrell
