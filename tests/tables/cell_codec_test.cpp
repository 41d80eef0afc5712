// The cell codec at its limits: the bytes the module stores against the numbers shown.
#include "tables/cell_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tables/cell_text.h"

namespace {

using tables::DecodeCell;
using tables::EncodeCell;
using tables::FormatWhole;
using tables::TableKind;

// Saving re-encodes the whole numbers the grid shows.
std::uint8_t SavedAfterOpen(TableKind kind, std::uint8_t b) {
  return EncodeCell(kind, tables::CellNumber(FormatWhole(DecodeCell(kind, b).displayed)));
}

TEST(CellCodec, FuelWorkedBytes) {
  struct Case {
    std::uint8_t b;
    const char* shown;
    double chart;
    std::uint8_t saved;
  };
  for (const Case& c :
       {Case{128, "0", 0, 128}, Case{0, "-100", -100, 0}, Case{255, "99", 99.21875, 255},
        Case{112, "-13", -12.5, 111}, Case{130, "2", 1.5625, 131}}) {
    EXPECT_EQ(FormatWhole(DecodeCell(TableKind::Fuel, c.b).displayed), c.shown) << int(c.b);
    EXPECT_DOUBLE_EQ(DecodeCell(TableKind::Fuel, c.b).chart, c.chart) << int(c.b);
    EXPECT_EQ(SavedAfterOpen(TableKind::Fuel, c.b), c.saved) << int(c.b);
  }
}

TEST(CellCodec, RetardShowsNegativeAndChartsPositive) {
  const auto cell = DecodeCell(TableKind::Retard, 40);
  EXPECT_DOUBLE_EQ(cell.displayed, -2.5);
  EXPECT_DOUBLE_EQ(cell.chart, 2.5);
  EXPECT_EQ(FormatWhole(cell.displayed), "-3");
  EXPECT_EQ(SavedAfterOpen(TableKind::Retard, 40), 48);
}

TEST(CellCodec, TypedValuesAtTheRangeLimits) {
  EXPECT_EQ(EncodeCell(TableKind::Fuel, -20), 102);
  EXPECT_EQ(EncodeCell(TableKind::Fuel, 30), 166);
  EXPECT_EQ(EncodeCell(TableKind::Retard, 0), 0);
  EXPECT_EQ(EncodeCell(TableKind::Retard, -10), 160);
}

TEST(CellCodec, EncodeClampsAndRetardNeverWritesTheErasedValue) {
  EXPECT_EQ(EncodeCell(TableKind::Fuel, -150), 0);
  EXPECT_EQ(EncodeCell(TableKind::Fuel, 1e300), 255);
  EXPECT_EQ(EncodeCell(TableKind::Retard, -100), 254);
  EXPECT_EQ(EncodeCell(TableKind::Retard, 5), 0);
}

TEST(CellCodec, EncodeRoundsExactHalvesToEven) {
  // Sixteenths of a degree are exact: -0.5 steps go to 0, -1.5 to 2, -2.5 to 2.
  EXPECT_EQ(EncodeCell(TableKind::Retard, -0.03125), 0);
  EXPECT_EQ(EncodeCell(TableKind::Retard, -0.09375), 2);
  EXPECT_EQ(EncodeCell(TableKind::Retard, -0.15625), 2);
}

TEST(CellCodec, EveryByteSurvivesDecodeEncodeAndSavingTwiceIsStable) {
  for (int b = 0; b <= 255; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(EncodeCell(TableKind::Fuel, DecodeCell(TableKind::Fuel, byte).displayed), byte);
    EXPECT_EQ(EncodeCell(TableKind::Retard, DecodeCell(TableKind::Retard, byte).displayed),
              b == 255 ? 254 : byte);
    for (const TableKind kind : {TableKind::Fuel, TableKind::Retard}) {
      const std::uint8_t once = SavedAfterOpen(kind, byte);
      EXPECT_EQ(SavedAfterOpen(kind, once), once) << b;
    }
    EXPECT_LE(std::abs(SavedAfterOpen(TableKind::Fuel, byte) - b), 1) << b;
  }
}

TEST(CellText, WholeNumberDisplayRoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatWhole(2.5), "3");
  EXPECT_EQ(FormatWhole(-2.5), "-3");
  EXPECT_EQ(FormatWhole(-0.4), "0");
  EXPECT_EQ(FormatWhole(12.49), "12");
}

TEST(CellText, OnlyWholeNumbersCountAsNumbers) {
  EXPECT_DOUBLE_EQ(tables::CellNumber(" -12.5 "), -12.5);
  EXPECT_DOUBLE_EQ(tables::CellNumber("1e1"), 10);
  EXPECT_DOUBLE_EQ(tables::CellNumber(".5"), 0.5);
  for (const char* text : {"", "abc", "12abc", "-", ".", "1e", "1 2", "+-1"}) {
    EXPECT_FALSE(tables::IsNumeric(text)) << text;
    EXPECT_DOUBLE_EQ(tables::CellNumber(text), 0) << text;
  }
}

}  // namespace
