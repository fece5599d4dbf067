// One data file replaced by any bytes in an otherwise valid directory: the
// first input byte picks the file (in start-up order), the rest is its
// content. Start-up either names a fault or loads, and a directory it
// accepts is drawn: a frame of each segment.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "assets/data_inventory.h"
#include "core/frame_buffer.h"
#include "testing/test_data_directory.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  static const vantrelle::TestDataDirectory directory;
  const vantrelle::DataFile& file = vantrelle::kDataFiles[data[0] % vantrelle::kDataFiles.size()];
  directory.WriteFile(file.name, std::span(data + 1, size - 1));
  const vantrelle::Status loaded = vantrelle::LoadAndPrecompute(directory.path());
  if (loaded.ok()) {
    static vantrelle::FrameBuffer frame;
    for (const vantrelle::SegmentInfo& segment : vantrelle::ShowSegments()) {
      vantrelle::Timeline(frame, (segment.start + segment.end) / 2);
    }
  } else if (loaded.message.find(directory.FilePath(file.name).string()) == std::string::npos) {
    std::abort();  // the fault is named by the path of the file that carries it
  }
  if (file.name == vantrelle::kMeshFileName) {
    directory.WriteMesh(vantrelle::SmallTestMesh());
  } else {
    directory.WriteFile(file.name, vantrelle::TestFileContent(file.name, file.bytes));
  }
  return 0;
}
