#include "craft/heading_tables.h"

#include <cmath>

namespace vantrell {

HeadingTables BuildHeadingTables() {
    HeadingTables tables;
    for (int32_t k = 0; k < kHeadingCount; ++k) {
        const double angle = k * kHeadingStep;
        // The conversion truncates toward zero, which is what gives 255 rather than 256 at the
        // quarter turns that the short angle step just misses.
        tables.cos[k] = static_cast<int32_t>(256.0 * std::cos(angle));
        tables.sin[k] = static_cast<int32_t>(256.0 * std::sin(angle));
    }
    return tables;
}

const HeadingTables& Headings() {
    // Built on first use rather than at static initialisation, so craft code running from other
    // static objects' constructors still finds the tables ready.
    static const HeadingTables tables = BuildHeadingTables();
    return tables;
}

}  // namespace vantrell
