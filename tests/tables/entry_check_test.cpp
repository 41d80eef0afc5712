// The readers of what users type and paste: the entry check's number test at its edges,
// its two ranges and the locked-cell zero rule with their messages; the clip text's row
// ends from any program, empty rows and the block limits (what Copy writes is the
// selection commands' test). Random texts go to the fuzz target.
#include "tables/entry_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/clip_text.h"

namespace {

using tables::ClipBlock;
using tables::TableKind;

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
