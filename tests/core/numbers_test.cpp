#include "core/numbers.hpp"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Smoke, Builds) { EXPECT_EQ(formatFixed(0.125, 2), "0.13"); }

}  // namespace
}  // namespace orvane
