#include "tools/datagen/lib/data_set.h"

#include <fstream>
#include <future>
#include <stdexcept>

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

const std::vector<InventoryEntry>& FixedSizeInventory() {
  static const std::vector<InventoryEntry> inventory = {
      {"gfx/endtexture.pal", 1048},     {"gfx/endtexture.raw", 131072},   {"gfx/facea.pal", 1048},
      {"gfx/facea.raw", 33600},         {"gfx/faceaalpha.raw", 33600},    {"gfx/faceb.pal", 1048},
      {"gfx/faceb.raw", 33600},         {"gfx/facebalpha.raw", 33600},    {"gfx/facec.pal", 1048},
      {"gfx/facec.raw", 33600},         {"gfx/facecalpha.raw", 33600},    {"gfx/faced.pal", 1048},
      {"gfx/faced.raw", 33600},         {"gfx/facedalpha.raw", 33600},    {"gfx/introtexts.raw", 153600},
      {"gfx/planet.raw", 65536},        {"gfx/planet.pal", 1048},         {"gfx/starsky.raw", 262144},
      {"gfx/planetskybox.raw", 393216}, {"gfx/planetskybox.pal", 1048},   {"gfx/radialtexture.raw", 65536},
      {"gfx/radialtexture.pal", 1048},  {"gfx/credits.raw", 384000},      {"gfx/clip01.raw", 1180800},
      {"gfx/greets.raw", 576000},       {"gfx/planetmap.raw", 65536},     {"gfx/planetmap.pal", 1048},
      {"gfx/endscroll.raw", 360000},
  };
  return inventory;
}

std::vector<DataFile> GenerateDataSet() {
  // The soundtrack takes longest; it runs beside the pictures.
  std::future<std::vector<std::uint8_t>> music = std::async(std::launch::async, MakeSoundtrack);

  std::vector<DataFile> files;
  auto add = [&files](const char* name, std::vector<std::uint8_t> bytes) {
    files.push_back({name, std::move(bytes)});
  };
  auto addPicture = [&](const char* raw, const char* pal, PalettePicture p) {
    add(pal, EncodePalette(p.palette));
    add(raw, std::move(p.indices));
  };

  addPicture("gfx/endtexture.raw", "gfx/endtexture.pal", MakeEndTexture());
  const char* const faceNames[kPortraitCount][3] = {{"gfx/facea.raw", "gfx/facea.pal", "gfx/faceaalpha.raw"},
                                                   {"gfx/faceb.raw", "gfx/faceb.pal", "gfx/facebalpha.raw"},
                                                   {"gfx/facec.raw", "gfx/facec.pal", "gfx/facecalpha.raw"},
                                                   {"gfx/faced.raw", "gfx/faced.pal", "gfx/facedalpha.raw"}};
  for (int k = 0; k < kPortraitCount; ++k) {
    Portrait portrait = MakePortrait(k);
    addPicture(faceNames[k][0], faceNames[k][1], std::move(portrait.picture));
    add(faceNames[k][2], std::move(portrait.alpha));
  }
  TextPainter painter;
  add("gfx/introtexts.raw", MakeIntroTexts(painter));
  addPicture("gfx/planet.raw", "gfx/planet.pal", MakePlanet());
  add("gfx/starsky.raw", MakeStarSky());
  addPicture("gfx/planetskybox.raw", "gfx/planetskybox.pal", MakePlanetSkybox());
  addPicture("gfx/radialtexture.raw", "gfx/radialtexture.pal", MakeRadialTexture());
  add("gfx/credits.raw", MakeCreditsPages(painter));
  add("gfx/clip01.raw", MakeClip());
  add("gfx/greets.raw", MakeGreetings(painter));
  addPicture("gfx/planetmap.raw", "gfx/planetmap.pal", MakePlanetMap());
  add("gfx/endscroll.raw", MakeEndScroll(painter));
  add(kMeshFileName, MakeStationMesh());
  add(kSoundtrackFileName, music.get());
  return files;
}

void WriteDataSet(const std::vector<DataFile>& files, const std::filesystem::path& folder) {
  for (const DataFile& f : files) {
    const std::filesystem::path path = folder / f.name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace vantrelle::datagen
