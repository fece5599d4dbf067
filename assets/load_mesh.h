#pragma once
// The .3df reader: turns a mesh file into a Mesh record (assets/mesh.h).
// With the axis switch on, positions and normals (x, y, z) become (x, z, -y).
// Corners are divided by 4 (>> 2), u becomes u >> 4 and v -(v >> 4), so the
// record holds 1/16 texel with v reversed; attribute words are copied as is.
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/status.h"

namespace vantrelle {

// Fills `record` from the file's bytes and returns the words written (header,
// draw order and every block present); words 5..7 are not touched. Fails with
// kMalformed, writing nothing, if the file is shorter than its counts need or
// the record does not fit. Corner indices are not checked here.
Result<std::size_t> ConvertMeshFile(std::span<const std::uint8_t> file, std::span<std::int32_t> record,
                                    bool axisSwitch);

// Reads the whole file and converts it as above with the axis switch on, as
// the show's mesh needs; fails as LoadRaw does when it cannot be read.
Result<std::size_t> LoadMesh(const std::filesystem::path& file, std::span<std::int32_t> record);

}  // namespace vantrelle
