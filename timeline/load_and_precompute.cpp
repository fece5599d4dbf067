#include "timeline/load_and_precompute.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <system_error>
#include <vector>

#include "assets/asset_buffers_startup.h"
#include "assets/bake_track.h"
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

// Reads the inventory in order; every file was checked, so a failure here
// means it changed or vanished meanwhile.
class Loader {
 public:
  explicit Loader(const std::filesystem::path& directory) : directory_(directory) {}

  void Raw(std::string_view name, std::span<std::uint8_t> destination) {
    if (error_.ok() && !LoadRaw(ResolveDataPath(directory_, name), destination).ok()) {
      error_ = DataError(directory_, name, ErrorKind::kUnreadable,
                         "expected a readable file of the checked size, found it changed");
    }
  }

  void Palette(std::string_view name, Palette565& destination) {
    if (error_.ok() && !LoadPalette(ResolveDataPath(directory_, name), destination).ok()) {
      error_ = DataError(directory_, name, ErrorKind::kUnreadable,
                         "expected a readable palette of the checked size, found it changed");
    }
  }

  void Mesh(std::string_view name, std::span<std::int32_t> destination) {
    if (error_.ok() && !LoadMesh(ResolveDataPath(directory_, name), destination, true).ok()) {
      error_ = DataError(directory_, name, ErrorKind::kUnreadable,
                         "expected a readable mesh of the checked size, found it changed");
    }
  }

  const Status& error() const { return error_; }

 private:
  std::filesystem::path directory_;
  Status error_;
};

// Palette pictures become RGB565 once, here; the show indexes words directly.
void Expand(std::span<const std::uint8_t> picture, const Palette565& palette, std::span<std::uint16_t> out) {
  for (std::size_t i = 0; i < picture.size(); ++i) {
    out[i] = palette[picture[i]];
  }
}

Status LoadDataFiles(const std::filesystem::path& directory) {
  Loader load(directory);
  Palette565 palette{};
  const std::span<std::uint8_t> stagingA(startup::StagingA);
  const std::span<std::uint8_t> stagingB(startup::StagingB);
  constexpr std::size_t kFaceBytes = 140 * 240;
  constexpr std::size_t kTextureBytes = 256 * 256;

  load.Palette("gfx\\endtexture.pal", palette);
  load.Raw("gfx\\endtexture.raw", stagingA);
  Expand(stagingA, palette, startup::EndTexture);

  struct Portrait {
    std::string_view palette, picture, alpha;
    std::span<std::uint16_t> colours;
    std::span<std::uint8_t> opacity;
  };
  const Portrait portraits[] = {
      {"gfx\\facea.pal", "gfx\\facea.raw", "gfx\\faceaalpha.raw", startup::FaceAPicture, startup::FaceAAlpha},
      {"gfx\\faceb.pal", "gfx\\faceb.raw", "gfx\\facebalpha.raw", startup::FaceBPicture, startup::FaceBAlpha},
      {"gfx\\facec.pal", "gfx\\facec.raw", "gfx\\facecalpha.raw", startup::FaceCPicture, startup::FaceCAlpha},
      {"gfx\\faced.pal", "gfx\\faced.raw", "gfx\\facedalpha.raw", startup::FaceDPicture, startup::FaceDAlpha},
  };
  for (const Portrait& face : portraits) {
    load.Palette(face.palette, palette);
    load.Raw(face.picture, stagingB);
    Expand(stagingB.first(kFaceBytes), palette, face.colours);
    load.Raw(face.alpha, face.opacity);
  }

  load.Raw("gfx\\introtexts.raw", startup::IntroTextPages);
  load.Raw("gfx\\planet.raw", stagingB);  // kept for the planet tables
  load.Palette("gfx\\planet.pal", startup::PlanetPalette);
  load.Raw("gfx\\starsky.raw", startup::StarSkyPicture);
  load.Raw("gfx\\planetskybox.raw", startup::SkyboxStaging);
  load.Palette("gfx\\planetskybox.pal", palette);
  Expand(startup::SkyboxStaging, palette, startup::PlanetSkybox);
  load.Raw("gfx\\radialtexture.raw", stagingA);
  load.Palette("gfx\\radialtexture.pal", palette);
  Expand(stagingA.first(kTextureBytes), palette, startup::RadialTexture);
  load.Raw("gfx\\credits.raw", startup::CreditsPages);
  load.Raw("gfx\\clip01.raw", startup::ClipFrames);
  load.Raw("gfx\\greets.raw", startup::GreetsFileBuffer);
  load.Raw("gfx\\planetmap.raw", stagingA);
  load.Palette("gfx\\planetmap.pal", startup::PlanetMapPalette);
  Expand(stagingA.first(kTextureBytes), startup::PlanetMapPalette, startup::PlanetMapTexture);
  load.Raw("gfx\\endscroll.raw", startup::EndScrollAlpha);
  load.Mesh(kMeshFileName, startup::LoadedMesh);
  return load.error();
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
  BuildEffectTables();
  BuildSkyboxCube();
  return {};
}

}  // namespace vantrelle
