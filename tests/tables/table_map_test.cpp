// Where every cell of every table lies, and the KQ locked zone.
#include "tables/table_map.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using tables::TableId;

TEST(TableMap, EveryCellHasItsOwnByteAndTheTablesEndWhereTheyShould) {
  const struct {
    const char* moduleVersion;
    int rows;
    std::size_t frontLast, rearLast, retardLast;
  } layouts[] = {{"VOSK", 18, 6736, 6864, 6384},
                 {"UNKNOWN", 18, 6736, 6864, 6384},
                 {"JX", 22, 6754, 6882, 6402}};
  for (const auto& c : layouts) {
    ASSERT_EQ(tables::TableLayoutFor(c.moduleVersion).rows, c.rows) << c.moduleVersion;
    EXPECT_EQ(tables::TableLayoutFor(c.moduleVersion).Words(), std::size_t(c.rows / 2 * 9));
    for (const auto& [table, first, last] :
         {std::tuple{TableId::FrontCylTrim, std::size_t{6656}, c.frontLast},
          {TableId::RearCylTrim, std::size_t{6784}, c.rearLast},
          {TableId::Retard, std::size_t{6304}, c.retardLast}}) {
      std::set<std::pair<std::size_t, bool>> seen;
      for (int col = 1; col <= 9; ++col) {
        for (int r = 1; r <= c.rows; ++r) {
          const auto at = tables::AddressOf(table, c.rows, r, col);
          // Byte address: first cell + R (c - 1) + (r - 1), the low byte first.
          EXPECT_EQ(at.hiByte, r % 2 == 0);
          EXPECT_EQ(2 * at.word + (at.hiByte ? 1 : 0), 2 * first + c.rows * (col - 1) + (r - 1));
          seen.insert({at.word, at.hiByte});
        }
      }
      EXPECT_EQ(seen.size(), std::size_t(9 * c.rows));
      EXPECT_EQ(tables::AddressOf(table, c.rows, 1, 1).word, first);
      EXPECT_EQ(tables::AddressOf(table, c.rows, c.rows, 9).word, last) << c.moduleVersion;
    }
  }
}

TEST(TableMap, CellBytesGoToTheWordsLowThenHighByte) {
  core::ModuleImage image;
  tables::SetCellByte(image, TableId::Retard, 18, 1, 2, 0x11);
  tables::SetCellByte(image, TableId::Retard, 18, 2, 2, 0x22);
  EXPECT_EQ(image.FLASHBuffer[6313], (core::FLASHWord{0x22, 0x11}));
  EXPECT_EQ(tables::CellByte(image, TableId::Retard, 18, 2, 2), 0x22);
}

TEST(TableMap, LockedZoneEdgesOnRestrictedEditionsOnly) {
  for (const char* kq : {"KQ", "QL2 KQ"}) {
    EXPECT_TRUE(tables::IsLocked(kq, 1, 1));
    EXPECT_TRUE(tables::IsLocked(kq, 14, 6));
    EXPECT_FALSE(tables::IsLocked(kq, 15, 6));
    EXPECT_FALSE(tables::IsLocked(kq, 14, 7));
  }
  for (const char* open : {"VOSK", "QL2 VOSK", "JX", "UNKNOWN", "kq"}) {
    EXPECT_FALSE(tables::IsLocked(open, 1, 1)) << open;
  }
}

}  // namespace
