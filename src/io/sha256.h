// SHA-256 (FIPS 180-4), for telling whether two sets of files hold the same bytes and whether a
// file came through whole. Small and dependency-free; speed is no concern at a few kilobytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace vantrell {

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
  public:
    Sha256();
    // Adds bytes to the message; any number of calls, of any sizes.
    void Update(std::span<const uint8_t> bytes);
    // The digest of everything added. The object is spent afterwards.
    Sha256Digest Finish();

  private:
    void Block(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> pending_{};
    size_t pendingSize_ = 0;
    uint64_t length_ = 0;  // bytes added so far
};

Sha256Digest Sha256Of(std::span<const uint8_t> bytes);

// Lower-case hexadecimal, 64 characters.
std::string HexDigest(const Sha256Digest& digest);

}  // namespace vantrell
