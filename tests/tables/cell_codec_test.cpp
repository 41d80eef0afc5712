// The cell codec at its limits: the bytes the module stores against the numbers shown;
// and where every cell of every table lies, with the KQ locked zone.
#include "tables/cell_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tables/cell_text.h"
#include "tables/table_map.h"

namespace {

using tables::DecodeCell;
using tables::EncodeCell;
using tables::FormatWhole;
using tables::TableId;
using tables::TableKind;
constexpr TableKind kFuel = TableKind::Fuel;
constexpr TableKind kRetard = TableKind::Retard;

// Saving re-encodes the whole numbers the grid shows.
std::uint8_t SavedAfterOpen(TableKind kind, std::uint8_t b) {
  return EncodeCell(kind, tables::CellNumber(FormatWhole(DecodeCell(kind, b).displayed)));
}

TEST(CellCodec, WorkedBytesShowChartAndSaveAsTheModuleExpects) {
  const struct {
    TableKind kind;
    std::uint8_t b;
    const char* shown;
    double chart;
    std::uint8_t saved;
  } cases[] = {{kFuel, 128, "0", 0, 128},         {kFuel, 0, "-100", -100, 0},
               {kFuel, 255, "99", 99.21875, 255}, {kFuel, 112, "-13", -12.5, 111},
               {kFuel, 130, "2", 1.5625, 131},    {kRetard, 40, "-3", 2.5, 48}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatWhole(DecodeCell(c.kind, c.b).displayed), c.shown) << int(c.b);
    EXPECT_DOUBLE_EQ(DecodeCell(c.kind, c.b).chart, c.chart) << int(c.b);
    EXPECT_EQ(SavedAfterOpen(c.kind, c.b), c.saved) << int(c.b);
  }
}

TEST(CellCodec, EncodeAtTheLimitsClampsAndRoundsHalvesToEven) {
  const struct {
    const char* fault;
    TableKind kind;
    double value;
    std::uint8_t b;
  } cases[] = {
      {"fuel range low end", kFuel, -20, 102},
      {"fuel range high end", kFuel, 30, 166},
      {"retard zero", kRetard, 0, 0},
      {"retard range end", kRetard, -10, 160},
      {"fuel below the byte clamps to 0", kFuel, -150, 0},
      {"huge fuel clamps to 255", kFuel, 1e300, 255},
      {"retard never writes the erased value 255", kRetard, -100, 254},
      {"positive retard clamps to 0", kRetard, 5, 0},
      {"half a step rounds to even 0", kRetard, -0.03125, 0},
      {"one and a half steps round to even 2", kRetard, -0.09375, 2},
      {"two and a half steps round to even 2", kRetard, -0.15625, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeCell(c.kind, c.value), c.b) << c.fault;
}

TEST(CellCodec, EveryByteSurvivesDecodeEncodeAndSavingTwiceIsStable) {
  for (int b = 0; b <= 255; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(EncodeCell(kFuel, DecodeCell(kFuel, byte).displayed), byte);
    EXPECT_EQ(EncodeCell(kRetard, DecodeCell(kRetard, byte).displayed), b == 255 ? 254 : byte);
    for (const TableKind kind : {kFuel, kRetard}) {
      const std::uint8_t once = SavedAfterOpen(kind, byte);
      EXPECT_EQ(SavedAfterOpen(kind, once), once) << b;
    }
    EXPECT_LE(std::abs(SavedAfterOpen(kFuel, byte) - b), 1) << b;
  }
}

TEST(CellText, DisplayRoundsHalvesAwayFromZeroAndOnlyNumbersCount) {
  for (const auto& [value, shown] :
       {std::pair{2.5, "3"}, {-2.5, "-3"}, {-0.4, "0"}, {12.49, "12"}}) {
    EXPECT_EQ(FormatWhole(value), shown) << value;
  }
  for (const auto& [text, value] : {std::pair{" -12.5 ", -12.5}, {"1e1", 10.0}, {".5", 0.5}}) {
    EXPECT_DOUBLE_EQ(tables::CellNumber(text), value) << text;
  }
  for (const char* text : {"", "abc", "12abc", "-", ".", "1e", "1 2", "+-1"}) {
    EXPECT_FALSE(tables::IsNumeric(text)) << text;
    EXPECT_DOUBLE_EQ(tables::CellNumber(text), 0) << text;
  }
}

TEST(TableMap, EveryCellHasItsOwnByteLowByteFirst) {
  // An edition the program does not know gets the 18-row layout.
  EXPECT_EQ(tables::TableLayoutFor("UNKNOWN").rows, 18);
  for (const auto& [moduleVersion, rows] : {std::pair{"VOSK", 18}, {"JX", 22}}) {
    ASSERT_EQ(tables::TableLayoutFor(moduleVersion).rows, rows) << moduleVersion;
    EXPECT_EQ(tables::TableLayoutFor(moduleVersion).Words(), std::size_t(rows / 2 * 9));
    for (const auto& [table, first] : {std::pair{TableId::FrontCylTrim, std::size_t{6656}},
                                       {TableId::RearCylTrim, std::size_t{6784}},
                                       {TableId::Retard, std::size_t{6304}}}) {
      for (int col = 1; col <= 9; ++col) {
        for (int r = 1; r <= rows; ++r) {
          // Byte address: first cell + R (c - 1) + (r - 1), the low byte first.
          const auto at = tables::AddressOf(table, rows, r, col);
          EXPECT_EQ(2 * at.word + (at.hiByte ? 1 : 0), 2 * first + rows * (col - 1) + (r - 1));
        }
      }
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
