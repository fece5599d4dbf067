#pragma once
// Where a program's data set (gfx/, mesh/, music/) is, for the show and the
// render tool alike: the build tree keeps it beside the programs, an install
// under any prefix keeps it in share/vantrelle.
#include <filesystem>
#include <string>

#include "core/status.h"

namespace vantrelle::platform {

// `given` (--data) when not empty, as it is; else the first of
// `executableDirectory` and `executableDirectory`/../share/vantrelle that has
// gfx/ and mesh/ in it. Fails with kNotFound when none has, or when
// `executableDirectory` is empty, with one line naming every place looked in.
Result<std::filesystem::path> FindDataDirectory(const std::string& given,
                                                const std::filesystem::path& executableDirectory);

}  // namespace vantrelle::platform
