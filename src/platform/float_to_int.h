#pragma once
// Float to int without undefined behaviour. Scene values come from files and
// sliders and may be anything: a plain int() of NaN, of infinity or of a value
// beyond the int range is undefined. Every such conversion goes through here.

#include <climits>
#include <cmath>

namespace vm {

// `value` truncated toward zero, as int() does, then kept within lo..hi.
// NaN gives 0 kept within lo..hi; infinities give the nearer bound.
constexpr int FloatToInt(double value, int lo = INT_MIN, int hi = INT_MAX) {
    if (lo > hi) return lo;
    if (value != value) return 0 < lo ? lo : (0 > hi ? hi : 0);  // NaN
    if (value <= double(lo)) return lo;
    if (value >= double(hi)) return hi;
    return int(value);  // now strictly inside lo..hi, so defined
}

}  // namespace vm
