#include "graphics/IRECTList.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace plugin::ui;

namespace {

constexpr int kGrid = 24;

IRECTList ListOf(const std::vector<IRECT>& rects)
{
  IRECTList list;
  for (const IRECT& r : rects)
    list.Add(r);
  return list;
}

// Unit cells of the grid covered by the list, and the cells covered more than once.
std::vector<int> Cover(const IRECTList& list)
{
  std::vector<int> cells(kGrid * kGrid, 0);
  for (int i = 0; i < list.Size(); ++i)
    for (int c = 0; c < kGrid * kGrid; ++c)
      cells[c] += list.Get(i).Contains(c % kGrid + 0.5f, c / kGrid + 0.5f) ? 1 : 0;
  return cells;
}
std::vector<bool> Covered(const IRECTList& list)
{
  std::vector<bool> out;
  for (int n : Cover(list))
    out.push_back(n > 0);
  return out;
}

} // namespace

TEST(Consolidate, NestedAndCollinearMergeCornersAreCutOthersStay)
{
  struct Case
  {
    std::vector<IRECT> in, out;
  } cases[] = {
      {{{0, 0, 10, 10}, {2, 2, 4, 4}}, {{0, 0, 10, 10}}},
      {{{2, 2, 4, 4}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
      {{{0, 0, 10, 5}, {0, 5, 10, 9}}, {{0, 0, 10, 9}}},
      {{{0, 0, 6, 5}, {4, 0, 10, 5}}, {{0, 0, 10, 5}}},
      {{{0, 0, 0, 0}, {0, 0, 4, 4}}, {{0, 0, 0, 0}, {0, 0, 4, 4}}},
      {{{0, 0, 10, 10}, {8, 8, 12, 12}}, {{0, 0, 10, 10}, {8, 10, 12, 12}, {10, 8, 12, 10}}},
      {{{0, 4, 20, 8}, {8, 0, 12, 20}}, {{0, 4, 20, 8}, {8, 0, 12, 20}}}, // crossing bars: both stay
  };
  for (const Case& c : cases) {
    IRECTList list = ListOf(c.in);
    list.Consolidate();
    std::vector<IRECT> out;
    for (int i = 0; i < list.Size(); ++i)
      out.push_back(list.Get(i));
    EXPECT_EQ(out, c.out);
  }
}

TEST(Consolidate, RandomSetsKeepExactlyTheCoveredCellsAndLoseMostOverdraw)
{
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, kGrid);
  int twiceBefore = 0, twiceAfter = 0;
  for (int round = 0; round < 400; ++round) {
    IRECTList list;
    for (int i = 0; i < 1 + round % 8; ++i) {
      const int x1 = coord(rng), x2 = coord(rng), y1 = coord(rng), y2 = coord(rng);
      if (x1 != x2 && y1 != y2)
        list.Add(IRECT(float(std::min(x1, x2)), float(std::min(y1, y2)), float(std::max(x1, x2)),
                       float(std::max(y1, y2))));
    }
    const std::vector<bool> before = Covered(list);
    for (int n : Cover(list))
      twiceBefore += n > 1 ? n - 1 : 0;
    list.Consolidate();
    ASSERT_EQ(Covered(list), before) << "round " << round;
    for (int n : Cover(list))
      twiceAfter += n > 1 ? n - 1 : 0;
  }
  EXPECT_LT(twiceAfter, twiceBefore / 2);
}
