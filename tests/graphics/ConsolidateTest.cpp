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

std::vector<IRECT> Rects(const IRECTList& list)
{
  std::vector<IRECT> out;
  for (int i = 0; i < list.Size(); ++i)
    out.push_back(list.Get(i));
  return out;
}

// Unit cells of the grid covered by the list.
std::vector<bool> Cover(const IRECTList& list)
{
  std::vector<bool> cells(kGrid * kGrid, false);
  for (int i = 0; i < list.Size(); ++i)
    for (int y = 0; y < kGrid; ++y)
      for (int x = 0; x < kGrid; ++x)
        if (list.Get(i).Contains(x + 0.5f, y + 0.5f)) cells[y * kGrid + x] = true;
  return cells;
}

// Cells drawn twice: the merge should leave few of those.
int Overdraw(const IRECTList& list)
{
  int total = 0;
  for (int i = 0; i < list.Size(); ++i)
    total += int(list.Get(i).Area());
  int covered = 0;
  for (bool c : Cover(list))
    covered += c ? 1 : 0;
  return total - covered;
}

} // namespace

TEST(Consolidate, MergesNestedAndCollinearAndCutsCornerOverlaps)
{
  struct Case
  {
    const char* name;
    std::vector<IRECT> in;
    std::vector<IRECT> out;
  } cases[] = {
      {"inner dropped", {{0, 0, 10, 10}, {2, 2, 4, 4}}, {{0, 0, 10, 10}}},
      {"outer replaces inner", {{2, 2, 4, 4}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
      {"same columns touching", {{0, 0, 10, 5}, {0, 5, 10, 9}}, {{0, 0, 10, 9}}},
      {"same rows overlapping", {{0, 0, 6, 5}, {4, 0, 10, 5}}, {{0, 0, 10, 5}}},
      {"apart stay", {{0, 0, 2, 2}, {5, 5, 7, 7}}, {{0, 0, 2, 2}, {5, 5, 7, 7}}},
      {"all-zero ignored", {{0, 0, 0, 0}, {0, 0, 4, 4}}, {{0, 0, 0, 0}, {0, 0, 4, 4}}},
      // The smaller one (j) is cut around a shared corner: its top-left lies inside i.
      {"corner cut", {{0, 0, 10, 10}, {8, 8, 12, 12}}, {{0, 0, 10, 10}, {8, 10, 12, 12}, {10, 8, 12, 10}}},
  };
  for (const Case& c : cases) {
    IRECTList list = ListOf(c.in);
    list.Consolidate();
    EXPECT_EQ(Rects(list), c.out) << c.name;
  }
}

TEST(Consolidate, CrossingBarsKeepEveryCoveredCell)
{
  // A cut that assumes a corner overlap would drop the bar's far end here.
  IRECTList list = ListOf({{0, 4, 20, 8}, {8, 0, 12, 20}});
  const std::vector<bool> before = Cover(list);
  list.Consolidate();
  EXPECT_EQ(Cover(list), before);
}

TEST(Consolidate, RandomSetsKeepExactlyTheCoveredArea)
{
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(0, kGrid);
  int overdrawBefore = 0;
  int overdrawAfter = 0;
  for (int round = 0; round < 400; ++round) {
    IRECTList list;
    const int n = 1 + round % 8;
    for (int i = 0; i < n; ++i) {
      int x1 = coord(rng), x2 = coord(rng), y1 = coord(rng), y2 = coord(rng);
      if (x1 == x2 || y1 == y2) continue;
      list.Add(IRECT(float(std::min(x1, x2)), float(std::min(y1, y2)), float(std::max(x1, x2)),
                     float(std::max(y1, y2))));
    }
    const std::vector<bool> before = Cover(list);
    overdrawBefore += Overdraw(list);
    list.Consolidate();
    ASSERT_EQ(Cover(list), before) << "round " << round;
    overdrawAfter += Overdraw(list);
  }
  EXPECT_LT(overdrawAfter, overdrawBefore / 2); // and most doubly drawn area is gone
}
