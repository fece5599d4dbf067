#include "assets/data_inventory.h"

#include <array>

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

// A picture read before its palette: its indices are staged, and turned to
// RGB565 through the palette once that is read.
consteval DataFile PaletteAfter(std::string_view name, Palette565& palette, std::span<std::uint8_t> staged,
                                std::span<std::uint16_t> pixels) {
  if (staged.size() != pixels.size()) throw "the staged picture and the picture differ in size";
  DataFile file = Palette(name, palette);
  file.target.bytes = staged;
  file.target.pixels = pixels;
  return file;
}

// The first `bytes` of a buffer that holds more than its file.
consteval std::span<std::uint8_t> Front(std::span<std::uint8_t> buffer, std::size_t bytes) {
  if (bytes > buffer.size()) throw "the file is larger than its buffer";
  return buffer.first(bytes);
}

consteval DataFile Mesh(std::string_view name, std::span<std::int32_t> record) {
  DataFile file{name, 0, {}};
  file.target.kind = Kind::kMesh;
  file.target.meshRecord = record;
  return file;
}

constinit const auto kRows = std::to_array<DataFile>({
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
    Raw("gfx\\planetskybox.raw", startup::SkyboxStaging),
    PaletteAfter("gfx\\planetskybox.pal", startup::PaletteStaging, startup::SkyboxStaging, startup::PlanetSkybox),
    Raw("gfx\\radialtexture.raw", Front(startup::StagingA, kTexturePixels)),
    PaletteAfter("gfx\\radialtexture.pal", startup::PaletteStaging, Front(startup::StagingA, kTexturePixels),
                 startup::RadialTexture),
    Raw("gfx\\credits.raw", startup::CreditsPages),
    Raw("gfx\\clip01.raw", Front(startup::ClipFrames, kClipFileBytes)),
    Raw("gfx\\greets.raw", startup::GreetsFileBuffer),
    Raw("gfx\\planetmap.raw", Front(startup::StagingA, kTexturePixels)),
    PaletteAfter("gfx\\planetmap.pal", startup::PlanetMapPalette, Front(startup::StagingA, kTexturePixels),
                 startup::PlanetMapTexture),
    Raw("gfx\\endscroll.raw", startup::EndScrollAlpha),
    Mesh(kMeshFileName, startup::LoadedMesh),
});

}  // namespace

constinit const std::span<const DataFile> kDataFiles = kRows;

}  // namespace vantrelle
