#include "osc/fade_time.h"

#include <cmath>
#include <limits>

namespace vemo::osc {

int SaturatingMilliseconds(float milliseconds)
{
    if (std::isnan(milliseconds)) {
        return 0;
    }
    const double value = milliseconds;
    if (value <= double(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    if (value >= double(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

float FadeSeconds(int milliseconds)
{
    return static_cast<float>(static_cast<double>(static_cast<float>(milliseconds)) / 1000.0);
}

} // namespace vemo::osc
