// Counts every call of the global operator new in this program (replaced in
// allocation_counter.cpp), so a test can tell that a stretch of code allocated nothing.
#pragma once

#include <cstdint>

namespace vantrell::check {

int64_t AllocationCount();

}  // namespace vantrell::check
