#pragma once
// Golden frame hashes, the one place they are kept: FNV-1a over the frames'
// bytes (FrameHash in testing/frame_hash.h). segmentN covers every frame of that
// segment of the whole show drawn every 7 ms from the default data set;
// fillerN the fixed triangle scene of filler N (tests/render3d/fill_bounds_test.cpp).
//
// Nothing rewrites this file. When a picture changes on purpose, look at the
// frames first (vantrelle-render --png DIR or --contact-sheet FILE), then run
//   ctest --test-dir build -R 'WholeShow|Fillers' --output-on-failure
// and copy the lines the failures print over the old ones; the commit says why.
#include <cstdint>
#include <string_view>
#include <utility>

namespace vantrelle::golden {

inline constexpr std::pair<std::string_view, std::uint64_t> kExpectedFrameHashes[] = {
    {"filler0", 855185391624269963u},     {"filler1", 1933252421155182258u},    {"filler2", 3523377038853362087u},
    {"filler3", 627753992316560705u},     {"filler4", 15196603894675516003u},   {"segment1", 8974178614576420408u},
    {"segment2", 3989181490885660014u},   {"segment3", 3911185373275463381u},   {"segment4", 12225714314636198141u},
    {"segment5", 9149022756698079806u},   {"segment6", 12507903960795605472u},  {"segment7", 7557280546832860219u},
    {"segment8", 9755335047498097794u},   {"segment9", 14679820269409704839u},  {"segment10", 8361565364126291538u},
    {"segment11", 12624199561549225370u}, {"segment12", 12052235941307439347u}, {"segment13", 991849199309290441u},
    {"segment14", 5446791533746605917u},  {"segment15", 12387374385127043289u}, {"segment16", 5858104074209621115u},
    {"segment17", 14598307580064412210u}, {"segment18", 18313772207933687806u}, {"segment19", 9755335047498097794u},
    {"segment20", 3391215057479502946u},  {"segment21", 5733989215516404457u},  {"segment22", 14324554539276727842u},
    {"segment23", 8673094535082179457u},  {"segment24", 11611429051730309690u}, {"segment25", 8098475587624779304u},
};

}  // namespace vantrelle::golden
