#include "core/status.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrelle {
namespace {

TEST(ResultTest, HoldsEitherAValueOrTheFailure) {
  const Result<int> made(42);
  EXPECT_TRUE(made.ok());
  EXPECT_EQ(made.value(), 42);
  EXPECT_EQ(made.status().kind, ErrorKind::kOk);

  const Result<int> failed(Status::Failure(ErrorKind::kMalformed, "x.raw: expected 4 bytes, found 3"));
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(failed.status().kind, ErrorKind::kMalformed);
  EXPECT_EQ(failed.status().message, "x.raw: expected 4 bytes, found 3");
}

// Reading the value of a failure is a bug in the caller: the program stops and
// says which failure it was, rather than going on with a made-up value.
TEST(ResultDeathTest, ReadingTheValueOfAFailureStopsWithItsMessage) {
  const auto readConst = [] {
    const Result<std::string> failed(Status::Failure(ErrorKind::kNotFound, "gfx/planet.raw not found"));
    return failed.value().size();
  };
  EXPECT_DEATH(static_cast<void>(readConst()), "failed Result: gfx/planet.raw not found");
  const auto readMutable = [] {
    Result<int> failed(Status::Failure(ErrorKind::kUnreadable, "cannot read mesh"));
    return failed.value() += 1;
  };
  EXPECT_DEATH(static_cast<void>(readMutable()), "failed Result: cannot read mesh");
}

}  // namespace
}  // namespace vantrelle
