// Progress arithmetic of the install.
#include "setup/archive/progress.h"

#include <algorithm>

namespace archive {

std::int32_t progress_divisor(std::int32_t carrier_length) {
    return std::max<std::int32_t>(carrier_length / kProgressMax, 1);
}

int progress_position(std::int64_t offset, std::int64_t archive_start, std::int32_t divisor) {
    const std::int64_t position = (offset - archive_start) / std::max<std::int32_t>(divisor, 1);
    // Only a carrier of a few hundred bytes can get past 100 (its hundredth is rounded down).
    return static_cast<int>(std::clamp<std::int64_t>(position, 0, kProgressMax));
}

}  // namespace archive
