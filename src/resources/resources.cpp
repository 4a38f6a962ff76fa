#include "resources/resources.h"

#include "resources/resource_table.h"

#include <string>

namespace vantrell {

std::span<const uint8_t> FindResource(std::string_view name) {
    for (size_t i = 0; i < resources::kResourceCount; ++i) {
        const resources::ResourceEntry& e = resources::kResourceTable[i];
        if (name == e.name) {
            return {e.data, e.size};
        }
    }
    return {};
}

std::array<std::span<const uint8_t>, 4> EmbeddedWaves() {
    std::array<std::span<const uint8_t>, 4> waves;
    for (size_t i = 0; i < waves.size(); ++i) {
        waves[i] = FindResource("WAVDAT" + std::to_string(i));
    }
    return waves;
}

}  // namespace vantrell
