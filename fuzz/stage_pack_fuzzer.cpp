// Stage packs as the tool reads them: any bytes, straight to ReadStagePack (zip archive,
// names, sizes, manifest, stage check, records). A refusal must be one line; a pack it accepts
// must write back to bytes that read as the same pack again.
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "pack/stage_pack.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PackRead read = ReadStagePack(std::span<const uint8_t>(data, size));
    if (!read.pack) {
        FUZZ_CHECK(!read.problem.empty());
        FUZZ_CHECK(read.problem.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(read.problem.empty());
    const std::vector<uint8_t> written = WriteStagePack(*read.pack);
    FUZZ_CHECK(!written.empty());
    const PackRead again = ReadStagePack(written);
    FUZZ_CHECK(again.pack.has_value());
    FUZZ_CHECK(WriteStagePack(*again.pack) == written);
    return 0;
}
