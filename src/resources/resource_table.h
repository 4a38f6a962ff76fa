// The table the build generates from the content generator's output (generated/resource_data.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrell::resources {

struct ResourceEntry {
    const char* name;
    const uint8_t* data;
    size_t size;
};

extern const ResourceEntry kResourceTable[];
extern const size_t kResourceCount;

}  // namespace vantrell::resources
