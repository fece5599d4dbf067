#pragma once
// What the reduced-flash mode follows when no map was made from the data in
// use: the whole show reduced at full strength, so the mode is safe from its
// first second. Every program falls back to this one map.
#include "flash/flash_map.h"

namespace vantrelle::flash {

// Everything reduced, as strongly as any map reduces.
FlashMap WholeShowReduced();

}  // namespace vantrelle::flash
