#include "userio/outcome.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

static_assert(succeeded(Outcome::Ok) && !failed(Outcome::Ok));
static_assert(failed(Outcome::Failed) && !succeeded(Outcome::Failed));

TEST(Outcome, EachValueIsEitherSucceededOrFailed) {
    EXPECT_TRUE(succeeded(Outcome::Ok));
    EXPECT_FALSE(failed(Outcome::Ok));
    EXPECT_TRUE(failed(Outcome::Failed));
    EXPECT_FALSE(succeeded(Outcome::Failed));
}

}  // namespace
}  // namespace zat
