#include "timeline/load_and_precompute.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <system_error>
#include <vector>

#include "assets/asset_buffers_startup.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/check_mesh_file.h"
#include "assets/data_inventory.h"
#include "assets/load_mesh.h"
#include "assets/load_palette.h"
#include "assets/load_raw.h"
#include "assets/mesh.h"
#include "assets/mesh_file_format.h"
#include "assets/resolve_data_path.h"
#include "core/sin_tables.h"
#include "core/status.h"
#include "render3d/build_procedural_meshes.h"
#include "render3d/build_skybox_cube.h"
#include "timeline/bake_track.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

Status DataError(std::string_view name, ErrorKind kind, const std::string& problem) {
  return Status::Failure(kind, "data error: " + std::string(name) + ": " + problem);
}

// Files are named by the path the user can open, not the show's own name.
Status DataError(const std::filesystem::path& directory, std::string_view name, ErrorKind kind,
                 const std::string& problem) {
  return DataError(ResolveDataPath(directory, name).string(), kind, problem);
}

// Ok when the (regular) file opens for reading, else kUnreadable saying why not.
Status CheckReadable(const std::filesystem::path& directory, std::string_view name) {
  std::FILE* file = std::fopen(ResolveDataPath(directory, name).c_str(), "rb");
  if (file == nullptr) {
    return DataError(directory, name, ErrorKind::kUnreadable, std::string("cannot be read: ") + std::strerror(errno));
  }
  std::fclose(file);
  return {};
}

// Every file present with its exact size, and the mesh fit to show, before
// anything is read into the show's buffers.
Status CheckDataDirectory(const std::filesystem::path& directory) {
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    return DataError(directory.string(), ErrorKind::kNotFound, "expected a data directory, found none");
  }
  for (const DataFile& file : kDataFiles) {
    const std::filesystem::path path = ResolveDataPath(directory, file.name);
    const Result<std::uint64_t> found = DataFileSize(path);
    if (!found.ok()) {
      return DataError(directory, file.name, ErrorKind::kNotFound,
                       file.name == kMeshFileName
                           ? std::string("expected a mesh file, found none")
                           : "expected a file of " + std::to_string(file.bytes) + " bytes, found none");
    }
    const std::uint64_t size = found.value();
    if (file.name == kMeshFileName) {
      // Larger than any mesh the renderer can hold: refused before it is read.
      constexpr std::size_t kLargestMeshFile = MeshFileBytes(15, kMaxMeshVertices, kMaxMeshFaces);
      if (size > kLargestMeshFile) {
        return DataError(
            directory, file.name, ErrorKind::kMalformed,
            "expected at most " + std::to_string(kLargestMeshFile) + " bytes, found " + std::to_string(size));
      }
      if (Status readable = CheckReadable(directory, file.name); !readable.ok()) {
        return readable;
      }
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
      if (const Result<std::size_t> read = LoadRaw(path, bytes); !read.ok() || read.value() != size) {
        return DataError(directory, file.name, ErrorKind::kUnreadable,
                         "expected a readable file, found one that cannot be read");
      }
      if (Status fit = CheckMeshFile(bytes); !fit.ok()) {
        return DataError(directory, file.name, fit.kind, fit.message);
      }
      continue;
    }
    if (size != file.bytes) {
      return DataError(directory, file.name, ErrorKind::kMalformed,
                       "expected " + std::to_string(file.bytes) + " bytes, found " + std::to_string(size));
    }
    if (Status readable = CheckReadable(directory, file.name); !readable.ok()) {
      return readable;
    }
  }
  return {};
}

// Palette pictures become RGB565 once, here; the show indexes words directly.
void Expand(std::span<const std::uint8_t> picture, const Palette565& palette, std::span<std::uint16_t> out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = palette[picture[i]];
  }
}

// Reads the inventory in order into its buffers; every file was checked, so a
// failure here means it changed or vanished meanwhile.
Status LoadDataFiles(const std::filesystem::path& directory) {
  for (const DataFile& file : kDataFiles) {
    const std::filesystem::path path = ResolveDataPath(directory, file.name);
    const DataTarget& target = file.target;
    bool read = false;
    switch (target.kind) {
      case DataTarget::Kind::kRaw:
        read = LoadRaw(path, target.bytes).ok();
        break;
      case DataTarget::Kind::kPalette:
        read = LoadPalette(path, *target.palette).ok();
        if (read && !target.pixels.empty()) Expand(target.bytes, *target.palette, target.pixels);
        break;
      case DataTarget::Kind::kPicture:
        read = LoadRaw(path, target.bytes).ok();
        if (read) Expand(target.bytes, *target.palette, target.pixels);
        break;
      case DataTarget::Kind::kMesh:
        read = LoadMesh(path, target.meshRecord).ok();
        break;
    }
    if (!read) {
      return DataError(directory, file.name, ErrorKind::kUnreadable,
                       "expected a readable file of the checked size, found it changed");
    }
  }
  return {};
}

}  // namespace

Status LoadAndPrecompute(const std::filesystem::path& dataDirectory) {
  BuildSinCosTables();
  if (Status checked = CheckDataDirectory(dataDirectory); !checked.ok()) {
    return checked;
  }
  if (Status loaded = LoadDataFiles(dataDirectory); !loaded.ok()) {
    return loaded;
  }
  BuildPrecomputedTables();
  BakeAllTracks();
  BuildProceduralMeshes();
  BuildEffectTablesOnce();  // they need no data: a second load, or one after the page built them, keeps them
  BuildSkyboxCube();
  return {};
}

}  // namespace vantrelle
