// The generated set is what the show accepts: the start-up loader's checks
// pass and every table builds from it.
#include <gtest/gtest.h>

#include "generated_files.h"
#include "timeline/load_and_precompute.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratedLoad, TheShowLoadsTheGeneratedSet) {
  EXPECT_EQ(LoadAndPrecompute(testing::GeneratedFolder()), "");
}

}  // namespace
}  // namespace vantrelle::datagen
