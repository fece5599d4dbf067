#include "assets/data_inventory.h"

#include "assets/asset_buffers_startup.h"

namespace vantrelle {
namespace {

using Kind = DataTarget::Kind;

consteval DataFile Raw(std::string_view name, std::span<std::uint8_t> buffer) {
  DataFile file{name, buffer.size(), {}};
  file.target.bytes = buffer;
  return file;
}

consteval DataFile Palette(std::string_view name, Palette565& palette) {
  DataFile file{name, kPaletteFileBytes, {}};
  file.target.kind = Kind::kPalette;
  file.target.palette = &palette;
  return file;
}

// A picture of one index per pixel, staged and then turned to RGB565 through
// `colours`, which a palette row before it fills.
consteval DataFile Picture(std::string_view name, std::span<std::uint8_t> staging, Palette565& colours,
                           std::span<std::uint16_t> pixels) {
  if (staging.size() < pixels.size()) throw "the staging buffer is smaller than the picture";
  DataFile file{name, pixels.size(), {}};
  file.target.kind = Kind::kPicture;
  file.target.bytes = staging;
  file.target.palette = &colours;
  file.target.pixels = pixels;
  return file;
}

consteval DataFile Mesh(std::string_view name, std::span<std::int32_t> record) {
  DataFile file{name, 0, {}};
  file.target.kind = Kind::kMesh;
  file.target.meshRecord = record;
  return file;
}

}  // namespace

constinit const std::array<DataFile, 29> kDataFiles = {{
    Palette("gfx\\endtexture.pal", startup::PaletteStaging),
    Picture("gfx\\endtexture.raw", startup::StagingA, startup::PaletteStaging, startup::EndTexture),
    Palette("gfx\\facea.pal", startup::PaletteStaging),
    Picture("gfx\\facea.raw", startup::StagingB, startup::PaletteStaging, startup::FaceAPicture),
    Raw("gfx\\faceaalpha.raw", startup::FaceAAlpha),
    Palette("gfx\\faceb.pal", startup::PaletteStaging),
    Picture("gfx\\faceb.raw", startup::StagingB, startup::PaletteStaging, startup::FaceBPicture),
    Raw("gfx\\facebalpha.raw", startup::FaceBAlpha),
    Palette("gfx\\facec.pal", startup::PaletteStaging),
    Picture("gfx\\facec.raw", startup::StagingB, startup::PaletteStaging, startup::FaceCPicture),
    Raw("gfx\\facecalpha.raw", startup::FaceCAlpha),
    Palette("gfx\\faced.pal", startup::PaletteStaging),
    Picture("gfx\\faced.raw", startup::StagingB, startup::PaletteStaging, startup::FaceDPicture),
    Raw("gfx\\facedalpha.raw", startup::FaceDAlpha),
    Raw("gfx\\introtexts.raw", startup::IntroTextPages),
    Raw("gfx\\planet.raw", startup::StagingB),  // kept there for the planet tables
    Palette("gfx\\planet.pal", startup::PlanetPalette),
    Raw("gfx\\starsky.raw", startup::StarSkyPicture),
    Palette("gfx\\planetskybox.pal", startup::PaletteStaging),
    Picture("gfx\\planetskybox.raw", startup::SkyboxStaging, startup::PaletteStaging, startup::PlanetSkybox),
    Palette("gfx\\radialtexture.pal", startup::PaletteStaging),
    Picture("gfx\\radialtexture.raw", startup::StagingA, startup::PaletteStaging, startup::RadialTexture),
    Raw("gfx\\credits.raw", startup::CreditsPages),
    Raw("gfx\\clip01.raw", startup::ClipFrames),
    Raw("gfx\\greets.raw", startup::GreetsFileBuffer),
    Palette("gfx\\planetmap.pal", startup::PlanetMapPalette),
    Picture("gfx\\planetmap.raw", startup::StagingA, startup::PlanetMapPalette, startup::PlanetMapTexture),
    Raw("gfx\\endscroll.raw", startup::EndScrollAlpha),
    Mesh(kMeshFileName, startup::LoadedMesh),
}};

}  // namespace vantrelle
