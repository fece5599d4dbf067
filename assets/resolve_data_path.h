#pragma once
// Joins the data directory and one of the show's relative names, whose
// backslashes become the platform's separator (the only place that happens).
#include <filesystem>
#include <string_view>

namespace vantrelle {

std::filesystem::path ResolveDataPath(const std::filesystem::path& dataDirectory, std::string_view relativeName);

}  // namespace vantrelle
