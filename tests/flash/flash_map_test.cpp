#include "flash/flash_map.h"

#include <gtest/gtest.h>

#include <fstream>

#include "testing/test_files.h"

namespace vantrelle::flash {
namespace {

TEST(FlashMap, TextRoundTrips) {
  FlashMap map;
  map.fingerprint = 0x0123456789abcdefULL;
  map.stretches = {{0, 1000, 64, 0}, {1500, 2600, 4095, 65536}};
  const Result<FlashMap> read = ParseFlashMap(FlashMapText(map), "m");
  ASSERT_TRUE(read.ok()) << read.status().message;
  EXPECT_EQ(read.value().fingerprint, map.fingerprint);
  ASSERT_EQ(read.value().stretches.size(), 2u);
  EXPECT_EQ(read.value().stretches[1].from, 1500);
  EXPECT_EQ(read.value().stretches[1].level, 65536u);
}

TEST(FlashMap, RefusesWhatIsNotAMap) {
  const std::string head = "vantrelle flash map 1\nfingerprint 0123456789abcdef\n";
  for (const std::string& text : {
           std::string(""),
           std::string("vantrelle flash map 2\nfingerprint 0123456789abcdef\n"),
           std::string("vantrelle flash map 1\n"),
           std::string("vantrelle flash map 1\nfingerprint 0123\n"),
           std::string("vantrelle flash map 1\nfingerprint 0123456789abcdeg\n"),
           head + "stretch 0 1000 64 0",                            // no line end
           head + "stretch 0 1000 63 0\n",                          // scale too small
           head + "stretch 0 1000 4097 0\n",                        // scale too large
           head + "stretch 0 1000 64 65537\n",                      // level past white
           head + "stretch -1 1000 64 0\n",                         // before the show
           head + "stretch 1000 1000 64 0\n",                       // empty
           head + "stretch 0 100000001 64 0\n",                     // past any show
           head + "stretch 0 1000 64\n",                            // a word short
           head + "stretch 0 1000 64 0 0\n",                        // a word long
           head + "stretch 0 1000 +64 0\n",                         // a sign
           head + "stretch 0 1000 64 0\nstretch 1400 2000 64 0\n",  // ramps meet
           head + "stretch 2000 3000 64 0\nstretch 0 1000 64 0\n",  // out of order
           head + "span 0 1000 64 0\n",
           head + std::string(1 << 20, 'x') + "\n",
       }) {
    const Result<FlashMap> read = ParseFlashMap(text, "maps/flash.map");
    ASSERT_FALSE(read.ok()) << text.substr(0, 120);
    EXPECT_EQ(read.status().kind, ErrorKind::kMalformed);
    EXPECT_NE(read.status().message.find("maps/flash.map"), std::string::npos);
  }
}

TEST(FlashMap, FingerprintFollowsTheContent) {
  const ScratchFolder scratch;
  const std::filesystem::path& folder = scratch.path();
  const std::filesystem::path files[] = {folder / "a.bin", folder / "b.bin"};
  auto write = [](const std::filesystem::path& file, const char* text) { std::ofstream(file) << text; };
  write(files[0], "one");
  write(files[1], "two");
  const std::uint64_t first = DataFingerprint(files).value();
  EXPECT_EQ(DataFingerprint(files).value(), first);
  write(files[1], "twO");
  EXPECT_NE(DataFingerprint(files).value(), first);
  // Names and contents in order, a file longer than one read: FNV-1a worked out apart.
  std::string pattern(40000, '\0');
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<char>((i * 7 + (i >> 8)) & 0xff);
  std::ofstream(files[1], std::ios::binary) << pattern;
  EXPECT_EQ(DataFingerprint(files).value(), 0xc3cda54dddaea11cULL);
  std::filesystem::remove(files[1]);
  EXPECT_EQ(DataFingerprint(files).status().kind, ErrorKind::kNotFound);
  EXPECT_EQ(ReadFlashMap(folder / "none.map").status().kind, ErrorKind::kNotFound);
  FlashMap map;
  map.fingerprint = first;
  std::ofstream(folder / "flash.map") << FlashMapText(map);
  EXPECT_EQ(ReadFlashMap(folder / "flash.map").value().fingerprint, first);
}

}  // namespace
}  // namespace vantrelle::flash
