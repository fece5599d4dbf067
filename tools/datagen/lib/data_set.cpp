#include "tools/datagen/lib/data_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <system_error>

#include "assets/check_mesh_file.h"
#include "assets/resolve_data_path.h"
#include "platform/replace_file.h"
#include "tools/datagen/lib/clip.h"
#include "tools/datagen/lib/end_texture.h"
#include "tools/datagen/lib/planet.h"
#include "tools/datagen/lib/planet_skybox.h"
#include "tools/datagen/lib/portraits.h"
#include "tools/datagen/lib/radial_texture.h"
#include "tools/datagen/lib/soundtrack.h"
#include "tools/datagen/lib/star_sky.h"
#include "tools/datagen/lib/station_mesh.h"
#include "tools/datagen/lib/text_pictures.h"

namespace vantrelle::datagen {

namespace {

Status Malformed(const std::string& message) { return Status::Failure(ErrorKind::kMalformed, message); }

// A folder of the set that is a symbolic link is followed only when it is
// ours: in a shared folder (/tmp) another user could have planted it to
// point anywhere, and a run as root would then write there.
Status CheckFollowable(const std::filesystem::path& folder) {
  struct stat status;
  if (lstat(folder.c_str(), &status) != 0 || !S_ISLNK(status.st_mode) || status.st_uid == geteuid()) {
    return {};
  }
  return Status::Failure(ErrorKind::kUnwritable, "cannot write " + folder.string() +
                                                     ": it is a symbolic link owned by another user; not followed");
}

// The generated files in the inventory's order, each checked against the
// size the show reads (the mesh as the show checks it), then the soundtrack;
// nothing may be left over.
Result<std::vector<DataFile>> InInventoryOrder(std::vector<DataFile> made) {
  std::vector<DataFile> files;
  auto take = [&made, &files](std::string_view name) {
    auto it = std::find_if(made.begin(), made.end(), [name](const DataFile& f) { return f.name == name; });
    if (it == made.end()) {
      return Status::Failure(ErrorKind::kNotFound, "the data set lacks " + std::string(name));
    }
    files.push_back(std::move(*it));
    made.erase(it);
    return Status();
  };
  for (const vantrelle::DataFile& entry : kDataFiles) {
    if (Status taken = take(entry.name); !taken.ok()) {
      return taken;
    }
    const std::size_t size = files.back().bytes.size();
    if (entry.bytes != 0 && size != entry.bytes) {
      return Malformed(files.back().name + " is " + std::to_string(size) + " bytes, the show reads " +
                       std::to_string(entry.bytes));
    }
    if (entry.name == kMeshFileName) {
      if (Status fit = CheckMeshFile(files.back().bytes); !fit.ok()) {
        return Malformed(files.back().name + ": " + fit.message);
      }
    }
  }
  if (Status taken = take(kSoundtrackFileName); !taken.ok()) {
    return taken;
  }
  if (files.back().bytes.size() > kSoundtrackCapacityBytes) {
    return Malformed(files.back().name + " is " + std::to_string(files.back().bytes.size()) +
                     " bytes, the show takes at most " + std::to_string(kSoundtrackCapacityBytes));
  }
  if (!made.empty()) {
    return Malformed("the show does not read " + made.front().name);
  }
  return files;
}

}  // namespace

Result<std::vector<DataFile>> GenerateDataSet() {
  TextPainter painter;
  if (!painter.status().ok()) {
    return painter.status();
  }
  // The soundtrack takes longest; it runs beside the pictures.
  std::future<Result<std::vector<std::uint8_t>>> music = std::async(std::launch::async, MakeSoundtrack);

  std::vector<DataFile> files;
  auto add = [&files](std::string name, std::vector<std::uint8_t> bytes) {
    files.push_back({std::move(name), std::move(bytes)});
  };
  auto addPicture = [&](const char* raw, const char* pal, PalettePicture p) {
    add(pal, EncodePalette(p.palette));
    add(raw, std::move(p.indices));
  };

  addPicture("gfx\\endtexture.raw", "gfx\\endtexture.pal", MakeEndTexture());
  const char* const faceNames[kPortraitCount][3] = {{"gfx\\facea.raw", "gfx\\facea.pal", "gfx\\faceaalpha.raw"},
                                                    {"gfx\\faceb.raw", "gfx\\faceb.pal", "gfx\\facebalpha.raw"},
                                                    {"gfx\\facec.raw", "gfx\\facec.pal", "gfx\\facecalpha.raw"},
                                                    {"gfx\\faced.raw", "gfx\\faced.pal", "gfx\\facedalpha.raw"}};
  for (int k = 0; k < kPortraitCount; ++k) {
    Portrait portrait = MakePortrait(k);
    addPicture(faceNames[k][0], faceNames[k][1], std::move(portrait.picture));
    add(faceNames[k][2], std::move(portrait.alpha));
  }
  add("gfx\\introtexts.raw", MakeIntroTexts(painter));
  addPicture("gfx\\planet.raw", "gfx\\planet.pal", MakePlanet());
  add("gfx\\starsky.raw", MakeStarSky());
  addPicture("gfx\\planetskybox.raw", "gfx\\planetskybox.pal", MakePlanetSkybox());
  addPicture("gfx\\radialtexture.raw", "gfx\\radialtexture.pal", MakeRadialTexture());
  add("gfx\\credits.raw", MakeCreditsPages(painter));
  add("gfx\\clip01.raw", MakeClip());
  add("gfx\\greets.raw", MakeGreetings(painter));
  addPicture("gfx\\planetmap.raw", "gfx\\planetmap.pal", MakePlanetMap());
  add("gfx\\endscroll.raw", MakeEndScroll(painter));
  add(std::string(kMeshFileName), MakeStationMesh());
  Result<std::vector<std::uint8_t>> soundtrack = music.get();
  if (!soundtrack.ok()) {
    return soundtrack.status();
  }
  if (!painter.status().ok()) {  // a size the font refused: the text pictures are blank
    return painter.status();
  }
  add(kSoundtrackFileName, std::move(soundtrack.value()));
  return InInventoryOrder(std::move(files));
}

Status WriteDataSet(const std::vector<DataFile>& files, const std::filesystem::path& folder) {
  if (Status safe = CheckFollowable(folder); !safe.ok()) {
    return safe;
  }
  // Every name is checked before any is written, so that a refusal leaves the whole set as it was.
  for (const DataFile& f : files) {
    const std::filesystem::path path = ResolveDataPath(folder, f.name);
    if (Status safe = CheckFollowable(path.parent_path()); !safe.ok()) {
      return safe;
    }
    if (Status replaceable = platform::CheckReplaceable(path); !replaceable.ok()) {
      return replaceable;
    }
  }
  for (const DataFile& f : files) {
    const std::filesystem::path path = ResolveDataPath(folder, f.name);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
      // Worded as the standard library words it.
      const std::filesystem::filesystem_error failure("cannot create directories", path.parent_path(), error);
      return Status::Failure(ErrorKind::kUnwritable, failure.what());
    }
    // Beside the name and renamed over it: a link there is replaced, never
    // followed, and a failure (a full disk) leaves the earlier file.
    platform::ReplacementFile out;
    if (Status opened = out.Open(path); !opened.ok()) {
      return opened;
    }
    if (std::fwrite(f.bytes.data(), 1, f.bytes.size(), out.Stream()) != f.bytes.size()) {
      return Status::Failure(ErrorKind::kUnwritable, "cannot write " + path.string() + ": " + std::strerror(errno));
    }
    if (Status committed = out.Commit(); !committed.ok()) {
      return committed;
    }
  }
  return {};
}

}  // namespace vantrelle::datagen
