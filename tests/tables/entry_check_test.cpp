// The check of typed entries: the number test at its edges, the two ranges and the
// locked-cell zero rule, with their messages. Random texts go to the fuzz target.
#include "tables/entry_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
       {"30.1", "-20.5", "", "   ", "abc", "1,5", "1e400", "-1e400", "1e", "e5", "--5", "5%",
        "1\x01", "\xd9\xa3" /* an Arabic-Indic three */, std::string(10000, '1')}},
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

}  // namespace
