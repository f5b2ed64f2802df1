// The polar axis list as the settings dialog reads it from text and as the standard
// lists build it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "polar/settings.h"

namespace plotix {
namespace {

std::vector<Extended> InUse(std::int32_t count, const TAxisAngles& angles) {
  return std::vector<Extended>(angles.begin(), angles.begin() + count);
}

TEST(PolarAxisList, TextIsReadWholeOrNotAtAll) {
  std::string many;
  for (int i = 0; i < 400; ++i) many += std::to_string(i * 0.5) + "\n";
  const struct {
    std::string text;
    int bad;  // -1: read
    std::vector<Extended> angles;
  } rows[] = {
      {"90\n\n450\n-90\n90", -1, {90, 270}},
      {"-1e-20\n1e25", -1, {0, 280}},  // reduced exactly, a tiny negative to 0
      {"  45 \n\n\n", -1, {45}},
      {"", -1, {}},
      {"10\n20\nabc\n30", 2, {}},
      {"\n\n1,5", 2, {}},  // blank lines count in the number
      {many + "abc", -1, {}},
  };
  for (const auto& row : rows) {
    std::int32_t count = 3;
    TAxisAngles angles{7, 8, 9};
    EXPECT_EQ(ReadAxisList(row.text, count, angles), row.bad) << row.text;
    if (row.bad >= 0) {
      EXPECT_EQ(InUse(count, angles), (std::vector<Extended>{7, 8, 9})) << "a failed read changes nothing";
    } else if (row.text.size() > 1000) {
      // The first 360 lines are taken, the rest (the bad one too) ignored.
      EXPECT_EQ(count, 360);
      EXPECT_EQ(angles[359], 179.5L);
    } else {
      EXPECT_EQ(InUse(count, angles), row.angles) << row.text;
    }
  }
}

TEST(PolarAxisList, SortingRemovesRepeatsAndKeepsThePlacesBehind) {
  std::int32_t count = 5;
  TAxisAngles angles{300, 10, 300, 10, 10, 99};
  SortAxisAngles(count, angles);
  EXPECT_EQ(InUse(6, angles), (std::vector<Extended>{10, 300, 300, 300, 300, 99}));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(AxisListText(count, angles), "10\n300");
}

TEST(PolarAxisList, StandardLists) {
  const struct {
    TStdAxisList list;
    Extended interval;
    int count;
    Extended last;
  } rows[] = {
      {alNone, 15, 0, 0},         {al90, 15, 4, 270},
      {al45, 15, 8, 315},         {al30, 15, 12, 330},
      {alIntervals, 7, 52, 357},  {alIntervals, 359, 2, 359},
      {alIntervals, 1, 360, 359}, {alIntervals, 7.5L, 48, 352.5L},
  };
  for (const auto& row : rows) {
    std::int32_t count = -1;
    TAxisAngles angles{};
    StandardAxisList(row.list, row.interval, count, angles);
    EXPECT_EQ(count, row.count) << row.list << " " << double(row.interval);
    if (count > 0) {
      EXPECT_EQ(angles[0], 0);
      EXPECT_EQ(angles[std::size_t(count - 1)], row.last);
    }
  }
}

}  // namespace
}  // namespace plotix
