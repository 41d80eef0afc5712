// The cells' bytes and texts. The cell codec at its limits: the bytes the module stores
// against the numbers shown; where every cell of every table lies, with the KQ locked
// zone. The readers of what users type and paste: the entry check's number test at its
// edges, its two ranges and the locked-cell zero rule with their messages; the clip
// text's row ends from any program, empty rows and the block limits (what Copy writes is
// the selection commands' test). Random texts go to the fuzz target.
#include "tables/cell_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/cell_text.h"
#include "tables/clip_text.h"
#include "tables/entry_check.h"
#include "tables/table_map.h"

namespace {

using tables::ClipBlock;
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

// The bytes between are the table CSV's round trip.
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
    EXPECT_EQ(SavedAfterOpen(c.kind, c.saved), c.saved) << "saving twice, " << int(c.b);
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
      {"two and a half steps round to even 2", kRetard, -0.15625, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeCell(c.kind, c.value), c.b) << c.fault;
}

// Texts that are no number are the entry check's, and save as 0 in the table editor's test.
TEST(CellText, DisplayRoundsHalvesAwayFromZeroAndNumbersReadAsTyped) {
  for (const auto& [value, shown] :
       {std::pair{2.5, "3"}, {-2.5, "-3"}, {-0.4, "0"}, {12.49, "12"}}) {
    EXPECT_EQ(FormatWhole(value), shown) << value;
  }
  for (const auto& [text, value] : {std::pair{" -12.5 ", -12.5}, {"1e1", 10.0}, {".5", 0.5}}) {
    EXPECT_DOUBLE_EQ(tables::CellNumber(text), value) << text;
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

enum class Verdict { Accepted, Range, Zero };

struct EntryGroup {
  TableKind kind;
  bool locked;
  Verdict verdict;
  std::vector<std::string> texts;
};

Verdict Judge(TableKind kind, bool locked, const std::string& text) {
  const auto refusal = tables::CheckEntry(kind, locked, text);
  if (!refusal) return Verdict::Accepted;
  const bool fuel = kind == TableKind::Fuel;
  EXPECT_EQ(refusal->title, fuel ? "Fuel Trim Edit" : "Retard Edit");
  if (refusal->message == (fuel ? tables::kFuelZeroMessage : tables::kRetardZeroMessage)) {
    return Verdict::Zero;
  }
  EXPECT_EQ(refusal->message, fuel ? tables::kFuelRangeMessage : tables::kRetardRangeMessage);
  return Verdict::Range;
}

TEST(EntryCheck, EdgeEntriesOfBothKindsInLockedAndFreeCells) {
  const TableKind fuel = TableKind::Fuel;
  const TableKind retard = TableKind::Retard;
  const EntryGroup groups[] = {
      {fuel,
       false,
       Verdict::Accepted,
       {"30", "-20", " 12.5 ", "+3e1", ".5", "5.", "-0", "\t7\n",
        "0." + std::string(10000, '0') + "1"}},
      {fuel,
       false,
       Verdict::Range,
       {"30.1", "-20.5", "", "   ", "abc", "1,5", "1e400", "1e", "--5", "5%", "1\x01",
        "\xd9\xa3" /* an Arabic-Indic three */, std::string(10000, '1')}},
      {retard, false, Verdict::Accepted, {"0", "-10", "-0"}},
      {retard, false, Verdict::Range, {"1", "-10.01", "degrees"}},
      {fuel, true, Verdict::Accepted, {"0", "-0.0"}},
      {fuel, true, Verdict::Zero, {"5", "0.001"}},
      {fuel, true, Verdict::Range, {"abc"}},
      {retard, true, Verdict::Accepted, {"0"}},
      {retard, true, Verdict::Zero, {"-5"}},
  };
  for (const EntryGroup& group : groups) {
    for (const std::string& text : group.texts) {
      EXPECT_EQ(Judge(group.kind, group.locked, text), group.verdict)
          << (group.kind == fuel ? "fuel" : "retard") << (group.locked ? " locked " : " ") << '"'
          << text.substr(0, 20) << '"';
    }
  }
}

TEST(ClipText, PasteAcceptsEveryRowEndAndKeepsOnlyTheBlockTheTableCanTake) {
  const ClipBlock expected = {{"1", "2", "3"}, {"4", "5", "6"}};
  // Without a tab, semicolons separate cells (decimal-comma spreadsheets), else commas.
  for (const char* text : {"1\t2\t3\r4\t5\t6", "1\t2\t3\n4\t5\t6", "1\t2\t3\r\n4\t5\t6\r\n",
                           "1\t2\t3\r4\t5\t6\r", "1,2,3\r\n4,5,6\r\n", "1;2;3\n4;5;6"}) {
    EXPECT_EQ(tables::SplitClipText(text, 18, 9), expected) << text;
  }
  EXPECT_EQ(tables::SplitClipText("", 18, 9), ClipBlock{});
  EXPECT_EQ(tables::SplitClipText("\r\n", 18, 9), ClipBlock{});
  EXPECT_EQ(tables::SplitClipText("1,5;2\n3,5\t4", 18, 9), (ClipBlock{{"1,5;2"}, {"3,5", "4"}}));
  EXPECT_EQ(tables::SplitClipText("1,5;2\n3,5", 18, 9), (ClipBlock{{"1,5", "2"}, {"3,5"}}));
  EXPECT_EQ(tables::SplitClipText("1\t\t3\n\n4\r\n\r", 18, 9),
            (ClipBlock{{"1", "", "3"}, {""}, {"4"}, {""}}));
  // Only the block the table can take is kept (a paste at the table's edge is the
  // selection commands' test), of ten megabytes on the clipboard too.
  std::string huge;
  for (int i = 0; i < 1'700'000; ++i) huge += "9\t8\r\n";
  EXPECT_EQ(tables::SplitClipText(huge, 18, 9), ClipBlock(18, {"9", "8"}));
}

}  // namespace
