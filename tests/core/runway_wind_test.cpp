// Head- and crosswind on runway ends, and the end with the most headwind.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/runway_wind.hpp"

namespace orvane {
namespace {

constexpr double kClose = 1e-9;
constexpr double kHalfRootThree = 0.8660254037844386;  // cos 30
constexpr double kCos20 = 0.9396926207859084;
constexpr double kSin20 = 0.3420201433256687;

TEST(WindComponents, WorkedExamples) {
  using enum CrosswindSide;
  const struct {
    const char* name;
    double windFrom, speed, heading;
    double headwind, crosswind;
    CrosswindSide side;
  } cases[] = {
      {"270/20 on 240: 30 degrees from the right", 270, 20, 240, 20 * kHalfRootThree, 10, Right},
      {"270/20 on 060: tailwind from the left", 270, 20, 60, -20 * kHalfRootThree, 10, Left},
      {"calm", 0, 0, 240, 0, 0, None},
      {"calm from any direction", 123, 0, 240, 0, 0, None},
      {"straight down the runway", 240, 15, 240, 15, 0, None},
      {"direct tailwind", 90, 15, 270, -15, 0, None},
      {"straight across from the right", 180, 10, 90, 0, 10, Right},
      {"straight across from the left", 180, 10, 270, 0, 10, Left},
      {"wind 360 on heading 0", 360, 12, 0, 12, 0, None},
      {"wind 0 on heading 360", 0, 12, 360, 12, 0, None},
      {"010 on 350 wraps to the right", 10, 15, 350, 15 * kCos20, 15 * kSin20, Right},
      {"350 on 010 wraps to the left", 350, 15, 10, 15 * kCos20, 15 * kSin20, Left},
      {"directions beyond a circle", -90, 20, 600, 20 * kHalfRootThree, 10, Right},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WindComponents w = windComponents(c.windFrom, c.speed, c.heading);
    EXPECT_NEAR(w.headwind, c.headwind, kClose);
    EXPECT_NEAR(w.crosswind, c.crosswind, kClose);
    EXPECT_EQ(w.side, c.side);
  }
}

TEST(WindComponents, AlongAndAcrossTheRunwayAreExact) {
  EXPECT_EQ(windComponents(90, 15, 270).crosswind, 0.0);
  EXPECT_EQ(windComponents(180, 10, 90).headwind, 0.0);
  EXPECT_EQ(windComponents(0, 10, 270).headwind, 0.0);
  EXPECT_GE(windComponents(300, 7, 30).crosswind, 0.0);
}

std::vector<std::string> marked(const std::vector<RunwayEndWind>& winds) {
  std::vector<std::string> names;
  for (const RunwayEndWind& w : winds) {
    if (w.mostHeadwind) names.push_back(w.end.designator);
  }
  return names;
}

TEST(RunwayEndWinds, MarksTheEndWithTheMostHeadwind) {
  const std::vector<RunwayEnd> crossing = {{"06", 60}, {"24", 240}, {"15", 150}, {"33", 330}};
  const std::vector<RunwayEnd> parallel = {{"06L", 60}, {"24R", 240}, {"06R", 60}, {"24L", 240}};
  const std::vector<RunwayEnd> withUnknown = {{"H1", std::nullopt}, {"09", 90}, {"27", 270}};
  const std::vector<RunwayEnd> single = {{"09", 90}, {"27", 270}};
  const struct {
    const char* name;
    const std::vector<RunwayEnd>& ends;
    double windFrom, speed;
    std::vector<std::string> marked;
  } cases[] = {
      {"crossing runways, wind 270/20", crossing, 270, 20, {"24"}},
      {"crossing runways, wind 320/20", crossing, 320, 20, {"33"}},
      {"parallel runways are both marked", parallel, 250, 10, {"24R", "24L"}},
      {"calm marks nothing", crossing, 270, 0, {}},
      {"straight across marks nothing", single, 180, 20, {}},
      {"a heading unknown is skipped", withUnknown, 100, 8, {"09"}},
      {"a light wind still marks", single, 280, 0.1, {"27"}},
      {"a headwind that shows as 0.0 marks nothing", single, 280, 0.04, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<RunwayEndWind> winds = runwayEndWinds(c.ends, c.windFrom, c.speed);
    ASSERT_EQ(winds.size(), c.ends.size());
    for (std::size_t i = 0; i < winds.size(); ++i) {
      EXPECT_EQ(winds[i].end.designator, c.ends[i].designator);
      EXPECT_EQ(winds[i].wind.has_value(), c.ends[i].trueHeadingDeg.has_value());
    }
    EXPECT_EQ(marked(winds), c.marked);
  }
  EXPECT_TRUE(runwayEndWinds({}, 270, 20).empty());
}

TEST(RunwayEndWinds, ComponentsPerEnd) {
  const std::vector<RunwayEnd> ends = {{"06", 60}, {"24", 240}};
  const std::vector<RunwayEndWind> winds = runwayEndWinds(ends, 270, 20);
  ASSERT_EQ(winds.size(), 2u);
  EXPECT_NEAR(winds[0].wind->headwind, -20 * kHalfRootThree, kClose);
  EXPECT_EQ(winds[0].wind->side, CrosswindSide::Left);
  EXPECT_NEAR(winds[1].wind->headwind, 20 * kHalfRootThree, kClose);
  EXPECT_NEAR(winds[1].wind->crosswind, 10, kClose);
  EXPECT_EQ(winds[1].wind->side, CrosswindSide::Right);
}

}  // namespace
}  // namespace orvane
