#pragma once

namespace vemo::osc {

// Whole milliseconds of a fade time received as a float: the fraction is dropped, values beyond the
// int range saturate at its ends, and a NaN gives 0.
int SaturatingMilliseconds(float milliseconds);

// The engine's fade length for whole milliseconds: the milliseconds as float, widened to double,
// divided by 1000 and narrowed back to float.
float FadeSeconds(int milliseconds);

} // namespace vemo::osc
