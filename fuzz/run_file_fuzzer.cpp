// Run files as import reads them: any bytes, straight to ReadRunFile. Inputs of a run file's
// size are also tried with their checksum made right, so the checks behind it are reached
// too. A file the reader accepts must be exactly what the writer makes of the run it read,
// and a refusal must be one line.
#include <algorithm>
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "records/run_file.h"

using namespace vantrell;

namespace {

void Read(std::span<const uint8_t> bytes) {
    const RunFileRead read = ReadRunFile(bytes);
    if (!read.run) {
        FUZZ_CHECK(!read.problem.empty());
        FUZZ_CHECK(read.problem.find('\n') == std::string::npos);
        return;
    }
    FUZZ_CHECK(read.problem.empty());
    FUZZ_CHECK(read.run->name.size() <= kNameBytes);
    const std::vector<uint8_t> written = WriteRunFile(*read.run);
    FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin(), bytes.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Read(bytes);
    if (size == kRunFileBytes) {
        constexpr size_t kSealed = kRunFileBytes - 32;
        std::vector<uint8_t> sealed(data, data + size);
        const Sha256Digest checksum = Sha256Of(bytes.first(kSealed));
        std::copy(checksum.begin(), checksum.end(), sealed.begin() + kSealed);
        Read(sealed);
    }
    return 0;
}
