// SHA-256 against the published test vectors, fed whole and in pieces that straddle blocks.
#include <gtest/gtest.h>

#include <string>

#include "io/atomic_save.h"
#include "io/sha256.h"

namespace vantrell {
namespace {

std::string Hex(std::string_view text) {
    return HexDigest(Sha256Of(BytesOf(text)));
}

TEST(Sha256, PublishedVectors) {
    EXPECT_EQ(Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the last block, so padding takes a block of its own.
    EXPECT_EQ(Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // A million 'a' in pieces of 7 bytes, which never line up with the 64-byte blocks.
    const std::string piece(7, 'a');
    Sha256 sha;
    for (int i = 0; i < 1000000 / 7; ++i) {
        sha.Update(BytesOf(piece));
    }
    sha.Update(BytesOf(std::string(1000000 % 7, 'a')));
    EXPECT_EQ(HexDigest(sha.Finish()),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace vantrell
