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

// The default data set's files, FNV-1a over each file's bytes (BytesHash):
// the frame hashes above hold for these files only. tests/show/data_set_test.cpp
// prints the line to record when one changes.
inline constexpr std::pair<std::string_view, std::uint64_t> kExpectedDataHashes[] = {
    {"gfx\\endtexture.pal", 16876644092056714069u},    {"gfx\\endtexture.raw", 13464356824119310755u},
    {"gfx\\facea.pal", 1973814073184282153u},          {"gfx\\facea.raw", 1073082204473288483u},
    {"gfx\\faceaalpha.raw", 14494625484841929871u},    {"gfx\\faceb.pal", 11211527793007945661u},
    {"gfx\\faceb.raw", 1159814826593322579u},          {"gfx\\facebalpha.raw", 1918660828486314822u},
    {"gfx\\facec.pal", 3016090862116548791u},          {"gfx\\facec.raw", 11388286541393232978u},
    {"gfx\\facecalpha.raw", 16148553082834195793u},    {"gfx\\faced.pal", 3716747848033185093u},
    {"gfx\\faced.raw", 15302255780201920225u},         {"gfx\\facedalpha.raw", 14352511484323173375u},
    {"gfx\\introtexts.raw", 3826444858959002642u},     {"gfx\\planet.raw", 17836682004793530258u},
    {"gfx\\planet.pal", 15561613664615420111u},        {"gfx\\starsky.raw", 15011913542457783573u},
    {"gfx\\planetskybox.pal", 6663496917061491091u},   {"gfx\\planetskybox.raw", 5655693300383601418u},
    {"gfx\\radialtexture.pal", 10324391597513118970u}, {"gfx\\radialtexture.raw", 14898037392082066846u},
    {"gfx\\credits.raw", 7834526828648866870u},        {"gfx\\clip01.raw", 4702153015820279195u},
    {"gfx\\greets.raw", 15139627883331647492u},        {"gfx\\planetmap.pal", 4564382239453664205u},
    {"gfx\\planetmap.raw", 16666803142073198169u},     {"gfx\\endscroll.raw", 15950011495458867922u},
    {"mesh\\zerozev.3df", 11137618713689296265u},      {"music\\soundtrack.mp3", 3839958128027977000u},
};

}  // namespace vantrelle::golden
