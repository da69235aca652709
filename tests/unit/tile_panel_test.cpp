#include "settings/tile_panel.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(TileOrigins, CoversColumnByColumnWithOneTilePastEachEdge) {
  // Columns start at 0, 4, 8 and 12 (the first past the width of 10); each
  // column runs 0, 24, 48, the last starting past the height of 30.
  std::vector<TileOrigin> expected;
  for (int x : {0, 4, 8, 12})
    for (int y : {0, 24, 48}) expected.push_back({x, y});
  EXPECT_EQ(TileOrigins(10, 30, 4, 24), expected);
}

TEST(TileOrigins, ATileStartingExactlyAtTheEdgeIsNotYetPastIt) {
  // 48 is not greater than a height of 48, so one more tile follows it;
  // likewise the column at x = 602 for a width of 602.
  std::vector<TileOrigin> expected;
  for (int x : {0, 602, 1204})
    for (int y : {0, 24, 48, 72}) expected.push_back({x, y});
  EXPECT_EQ(TileOrigins(602, 48, 602, 24), expected);
}

TEST(TileOrigins, TheDialogBackgroundTakesTwoColumnsOfEighteenTiles) {
  const std::vector<TileOrigin> origins = TileOrigins(597, 397, 602, 24);
  ASSERT_EQ(origins.size(), 36u);
  EXPECT_EQ(origins[17], (TileOrigin{0, 408}));
  EXPECT_EQ(origins[18], (TileOrigin{602, 0}));
}

TEST(TileOrigins, AnEmptyTileCoversNothing) {
  EXPECT_TRUE(TileOrigins(100, 100, 0, 24).empty());
  EXPECT_TRUE(TileOrigins(100, 100, 24, 0).empty());
}

}  // namespace
}  // namespace gyra
