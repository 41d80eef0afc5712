// Where every cell of every table lies, the axis labels, and the KQ locked zone.
#include "tables/table_map.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using tables::TableId;

struct LayoutCase {
  const char* moduleVersion;
  int rows;
  std::size_t frontLast, rearLast, retardLast;
};

class TableAddresses : public testing::TestWithParam<LayoutCase> {};

TEST_P(TableAddresses, EveryCellHasItsOwnByteAndTheTablesEndWhereTheyShould) {
  const LayoutCase& c = GetParam();
  const tables::TableLayout layout = tables::TableLayoutFor(c.moduleVersion);
  ASSERT_EQ(layout.rows, c.rows);
  const std::map<TableId, std::pair<std::size_t, std::size_t>> ends = {
      {TableId::FrontCylTrim, {6656, c.frontLast}},
      {TableId::RearCylTrim, {6784, c.rearLast}},
      {TableId::Retard, {6304, c.retardLast}}};
  for (const auto& [table, range] : ends) {
    std::set<std::pair<std::size_t, bool>> seen;
    for (int col = 1; col <= 9; ++col) {
      for (int r = 1; r <= c.rows; ++r) {
        const auto at = tables::AddressOf(table, c.rows, r, col);
        EXPECT_EQ(at.hiByte, r % 2 == 0);
        EXPECT_GE(at.word, range.first);
        EXPECT_LE(at.word, range.second);
        // Byte address rule: first cell + R (c - 1) + (r - 1).
        EXPECT_EQ(2 * at.word + (at.hiByte ? 1 : 0),
                  2 * range.first + c.rows * (col - 1) + (r - 1));
        seen.insert({at.word, at.hiByte});
      }
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(9 * c.rows));
    EXPECT_EQ(tables::AddressOf(table, c.rows, 1, 1).word, range.first);
    EXPECT_EQ(tables::AddressOf(table, c.rows, c.rows, 9).word, range.second);
  }
  EXPECT_EQ(layout.Words(), static_cast<std::size_t>(c.rows / 2 * 9));
}

INSTANTIATE_TEST_SUITE_P(Layouts, TableAddresses,
                         testing::Values(LayoutCase{"VOSK", 18, 6736, 6864, 6384},
                                         LayoutCase{"UNKNOWN", 18, 6736, 6864, 6384},
                                         LayoutCase{"JX", 22, 6754, 6882, 6402}));

TEST(TableMap, CellBytesGoToTheWordsLowThenHighByte) {
  core::ModuleImage image;
  tables::SetCellByte(image, TableId::Retard, 18, 1, 2, 0x11);
  tables::SetCellByte(image, TableId::Retard, 18, 2, 2, 0x22);
  EXPECT_EQ(image.FLASHBuffer[6313], (core::FLASHWord{0x22, 0x11}));
  EXPECT_EQ(tables::CellByte(image, TableId::Retard, 18, 2, 2), 0x22);
}

TEST(TableMap, RpmLabelsOfBothLayouts) {
  const auto standard = tables::TableLayoutFor("QL2 KQ");
  EXPECT_EQ(standard.rpmLabels.front(), "500");
  EXPECT_EQ(standard.rpmLabels[10], "3000");
  EXPECT_EQ(standard.rpmLabels[11], "3500");
  EXPECT_EQ(standard.rpmLabels.back(), "6500");
  const auto jx = tables::TableLayoutFor("JX");
  EXPECT_EQ(jx.rpmLabels.front(), "1000");
  EXPECT_EQ(jx.rpmLabels[8], "3000");
  EXPECT_EQ(jx.rpmLabels[9], "3500");
  EXPECT_EQ(jx.rpmLabels.back(), "9500");
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

TEST(TableMap, NamesAndRanges) {
  EXPECT_EQ(tables::TableFromName("Retard Table"), TableId::Retard);
  EXPECT_EQ(tables::TableFromName(""), std::nullopt);
  EXPECT_EQ(tables::AllowedRange(tables::TableKind::Fuel).lowest, -20);
  EXPECT_EQ(tables::AllowedRange(tables::TableKind::Retard).highest, 0);
}

}  // namespace
