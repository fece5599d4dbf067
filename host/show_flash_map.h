#pragma once
// The flash map the desktop's reduced-flash mode follows: the one made for
// the data set in use (flash.map beside it, made at build time for the
// default data set), else, with a warning, one that reduces the whole show
// at full strength, so the mode is safe from its first second. Making a map
// means analysing the show at every usual refresh rate, minutes of work,
// which is the render tool's job (vantrelle-render --flash-map).
#include <filesystem>

#include "flash/flash_map.h"
#include "flash/whole_show_reduced.h"

namespace vantrelle::host {

// Reads the map and checks that it was made from these very data files
// (a few ms for the hash of the data set). `warn`: say in one line when the
// whole show will be dimmed; a data set that cannot be read is left for
// start-up to report.
flash::FlashMap ShowFlashMap(const std::filesystem::path& dataDirectory, bool warn);

using flash::WholeShowReduced;

}  // namespace vantrelle::host
