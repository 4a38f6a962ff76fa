#include "resources/resources.h"

#include "resources/resource_table.h"

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

}  // namespace vantrell
