#include "anim/RepeatedErrorFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(RepeatedErrorFilterTest, SameMessageIsShownOnceUntilASuccess) {
  RepeatedErrorFilter filter;
  EXPECT_TRUE(filter.ShouldShow("'abc' is not a valid integer value"));
  EXPECT_FALSE(filter.ShouldShow("'abc' is not a valid integer value"));
  EXPECT_FALSE(filter.ShouldShow("'abc' is not a valid integer value"));
  filter.Succeeded();
  EXPECT_TRUE(filter.ShouldShow("'abc' is not a valid integer value"));
}

TEST(RepeatedErrorFilterTest, ChangedMessageIsShownAtOnce) {
  RepeatedErrorFilter filter;
  EXPECT_TRUE(filter.ShouldShow("'a' is not a valid integer value"));
  EXPECT_TRUE(filter.ShouldShow("'ab' is not a valid integer value"));
  EXPECT_FALSE(filter.ShouldShow("'ab' is not a valid integer value"));
  EXPECT_TRUE(filter.ShouldShow("'a' is not a valid integer value"));
}

}  // namespace
