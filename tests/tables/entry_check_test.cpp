// The check of typed entries: the number test at its edges, the two ranges, the
// locked-cell zero rule; and random texts never let a value outside the range through.
#include "tables/entry_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text.h"
#include "tables/cell_text.h"

namespace {

using tables::TableKind;

enum class Verdict { Accepted, Range, Zero };

struct EntryCase {
  TableKind kind;
  bool locked;
  std::string text;
  Verdict verdict;
};

Verdict Judge(const EntryCase& entry) {
  const auto refusal = tables::CheckEntry(entry.kind, entry.locked, entry.text);
  if (!refusal) return Verdict::Accepted;
  const bool fuel = entry.kind == TableKind::Fuel;
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
  const EntryCase cases[] = {
      {fuel, false, "30", Verdict::Accepted},
      {fuel, false, "30.1", Verdict::Range},
      {fuel, false, "-20", Verdict::Accepted},
      {fuel, false, "-20.5", Verdict::Range},
      {fuel, false, " 12.5 ", Verdict::Accepted},
      {fuel, false, "+3e1", Verdict::Accepted},
      {fuel, false, ".5", Verdict::Accepted},
      {fuel, false, "5.", Verdict::Accepted},
      {fuel, false, "-0", Verdict::Accepted},
      {fuel, false, "\t7\n", Verdict::Accepted},
      {fuel, false, "", Verdict::Range},
      {fuel, false, "   ", Verdict::Range},
      {fuel, false, "abc", Verdict::Range},
      {fuel, false, "1,5", Verdict::Range},
      {fuel, false, "1e400", Verdict::Range},
      {fuel, false, "-1e400", Verdict::Range},
      {fuel, false, "1e", Verdict::Range},
      {fuel, false, "e5", Verdict::Range},
      {fuel, false, "--5", Verdict::Range},
      {fuel, false, "5%", Verdict::Range},
      {fuel, false, "1\x01", Verdict::Range},
      {fuel, false, "\xd9\xa3", Verdict::Range},  // an Arabic-Indic three
      {fuel, false, std::string(10000, '1'), Verdict::Range},
      {fuel, false, "0." + std::string(10000, '0') + "1", Verdict::Accepted},
      {retard, false, "0", Verdict::Accepted},
      {retard, false, "-10", Verdict::Accepted},
      {retard, false, "1", Verdict::Range},
      {retard, false, "-10.01", Verdict::Range},
      {retard, false, "-0", Verdict::Accepted},
      {retard, false, "degrees", Verdict::Range},
      {fuel, true, "0", Verdict::Accepted},
      {fuel, true, "-0.0", Verdict::Accepted},
      {fuel, true, "5", Verdict::Zero},
      {fuel, true, "0.001", Verdict::Zero},
      {fuel, true, "abc", Verdict::Range},
      {retard, true, "0", Verdict::Accepted},
      {retard, true, "-5", Verdict::Zero},
  };
  for (const EntryCase& entry : cases) {
    EXPECT_EQ(Judge(entry), entry.verdict)
        << (entry.kind == fuel ? "fuel" : "retard") << (entry.locked ? " locked " : " ") << '"'
        << entry.text.substr(0, 20) << '"';
  }
}

TEST(EntryCheck, RandomTextsNeverLetAValueOutsideTheRangeThrough) {
  const std::string alphabet = "0123456789+-.eE ,\t%x\x01\xd9\xa3";
  std::mt19937 random(8);
  for (int i = 0; i < 20000; ++i) {
    std::string text(random() % 12, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    for (const TableKind kind : {TableKind::Fuel, TableKind::Retard}) {
      const tables::ValueRange range = tables::AllowedRange(kind);
      const double value = core::LeadingNumber(text);
      if (!tables::CheckEntry(kind, false, text)) {
        ASSERT_TRUE(tables::IsNumeric(text)) << text;
        ASSERT_TRUE(value >= range.lowest && value <= range.highest) << text;
      }
      if (!tables::CheckEntry(kind, true, text)) {
        ASSERT_EQ(value, 0) << text;
      }
    }
  }
}

}  // namespace
