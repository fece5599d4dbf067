#include "flash/linear_light.h"

namespace vantrelle::flash {

const std::array<std::uint32_t, 32> kLinear5 = {
    0,     164,   352,   625,   992,   1461,  2040,  2734,  3550,  4492,  5565,  6776,  8127,  9623,  11269, 13069,
    15026, 17144, 19426, 21877, 24499, 27296, 30271, 33426, 36766, 40293, 44009, 47919, 52023, 56326, 60829, 65536};

const std::array<std::uint32_t, 64> kLinear6 = {
    0,     81,    161,   244,   345,   466,   609,   776,   966,   1180,  1420,  1687,  1980,  2301,  2651,  3030,
    3439,  3879,  4349,  4851,  5386,  5953,  6554,  7189,  7858,  8563,  9302,  10078, 10890, 11740, 12626, 13551,
    14514, 15515, 16556, 17637, 18757, 19918, 21120, 22363, 23648, 24975, 26344, 27756, 29211, 30710, 32253, 33840,
    35472, 37149, 38871, 40639, 42452, 44313, 46219, 48173, 50175, 52224, 54320, 56466, 58660, 60902, 63194, 65536};

int NearestCode(const std::uint32_t* table, int codes, std::uint32_t linear) {
  int low = 0;
  int high = codes - 1;
  // The last code at or below `linear`, then whichever neighbour is nearer.
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (table[mid] <= linear) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  if (low + 1 < codes && table[low + 1] - linear < linear - table[low]) {
    return low + 1;
  }
  return low;
}

}  // namespace vantrelle::flash
