#include "graphics/values/IRECTList.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace plugin::ui;

namespace {

std::vector<IRECT> Consolidated(const std::vector<IRECT>& rects)
{
  IRECTList list;
  for (const IRECT& r : rects)
    list.Add(r);
  list.Consolidate();
  std::vector<IRECT> out;
  for (int i = 0; i < list.Size(); ++i)
    out.push_back(list.Get(i));
  return out;
}

// How often each unit cell of a 24 x 24 grid is covered.
std::vector<int> Cover(const std::vector<IRECT>& rects)
{
  std::vector<int> cells(24 * 24, 0);
  for (const IRECT& r : rects)
    for (int c = 0; c < 24 * 24; ++c)
      cells[c] += r.Contains(c % 24 + 0.5f, c / 24 + 0.5f) ? 1 : 0;
  return cells;
}

} // namespace

TEST(Consolidate, NestedAndCollinearMergeCornersAreCutCrossingBarsStay)
{
  const std::vector<IRECT> cases[][2] = {
      {{{0, 0, 10, 10}, {2, 2, 4, 4}}, {{0, 0, 10, 10}}},
      {{{2, 2, 4, 4}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
      {{{0, 0, 10, 5}, {0, 5, 10, 9}}, {{0, 0, 10, 9}}},
      {{{0, 0, 6, 5}, {4, 0, 10, 5}}, {{0, 0, 10, 5}}},
      {{{0, 0, 0, 0}, {0, 0, 4, 4}}, {{0, 0, 0, 0}, {0, 0, 4, 4}}},
      {{{0, 0, 10, 10}, {8, 8, 12, 12}}, {{0, 0, 10, 10}, {8, 10, 12, 12}, {10, 8, 12, 10}}},
      {{{0, 4, 20, 8}, {8, 0, 12, 20}}, {{0, 4, 20, 8}, {8, 0, 12, 20}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Consolidated(c[0]), c[1]);
}

TEST(Consolidate, RandomSetsKeepExactlyTheCoveredCells)
{
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, 24);
  for (int round = 0; round < 400; ++round) {
    std::vector<IRECT> rects;
    for (int i = 0; i <= round % 8; ++i) {
      const int x1 = coord(rng), x2 = coord(rng), y1 = coord(rng), y2 = coord(rng);
      if (x1 != x2 && y1 != y2)
        rects.emplace_back(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    }
    const std::vector<int> before = Cover(rects), after = Cover(Consolidated(rects));
    for (size_t c = 0; c < before.size(); ++c)
      ASSERT_EQ(after[c] > 0, before[c] > 0) << "round " << round << " cell " << c;
  }
}
