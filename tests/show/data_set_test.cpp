// The default data set the frame hashes are taken on, file by file. Its text
// pictures are drawn through the system's FreeType and DejaVu fonts and its
// soundtrack through LAME, so a library update can change them with no engine
// change: this test then says which file changed, and the frame hashes that
// fail beside it follow from the data, not from the engine.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/data_inventory.h"
#include "frame_hashes.h"
#include "show_data.h"
#include "testing/frame_hash.h"
#include "testing/test_files.h"

namespace vantrelle {
namespace {

TEST(DataSet, EveryFileIsTheOneTheFrameHashesWereTakenOn) {
  std::vector<std::string_view> names;
  for (const DataFile& file : kDataFiles) names.push_back(file.name);
  names.push_back(kSoundtrackFileName);
  ASSERT_EQ(std::size(golden::kExpectedDataHashes), names.size());
  for (std::string_view name : names) {
    const auto bytes = ReadBuilt(name);
    const std::uint64_t hash = bytes.empty() ? 0 : BytesHash(bytes);
    std::string escaped;  // as a C++ string literal writes it
    for (char c : name) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(golden::RecordedHash(golden::kExpectedDataHashes, name), hash)
        << "the data set changed, not the engine: " << name << " differs from the file the frame hashes were\n"
        << "taken on (a font or encoder update?). If the new file is right, record it and the frame hashes\n"
        << "in tests/expected_frame_hashes.h:\n    {\"" << escaped << "\", " << hash << "u},";
  }
}

}  // namespace
}  // namespace vantrelle
