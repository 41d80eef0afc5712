// The example tunes: each reopens as its edition, and opening and saving a table of one
// changes no byte.
#include "files/base_tune.h"

#include <gtest/gtest.h>

#include "core/editions.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace {

TEST(BaseTune, EveryEditionReopensAsItselfAndSavesBackUnchanged) {
  using tables::TableId;
  // One edition of each generation and table layout.
  for (const char* name : {"vosk", "ql2-kq", "jx"}) {
    const std::string version = core::ModuleVersionForShortName(name).value();
    const core::ModuleImage image = files::BaseTune(version);
    EXPECT_EQ(core::ModuleVersionFromEditionByte(image.EEPROMBuffer[33]), version);
    EXPECT_EQ(image.EEPROMBuffer[32], 1) << "basic mode by default";
    const int rows = tables::TableLayoutFor(version).rows;
    for (const auto table : {TableId::FrontCylTrim, TableId::RearCylTrim, TableId::Retard}) {
      const auto kind = tables::KindOf(table);
      const bool unused = table == TableId::Retard && !core::IsSecondGeneration(version);
      for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= rows; ++r) {
          const std::uint8_t b = tables::CellByte(image, table, rows, r, c);
          const double shown = tables::ReadCell(image, table, rows, r, c).displayed;
          EXPECT_TRUE(shown >= tables::AllowedRange(kind).lowest &&
                      shown <= tables::AllowedRange(kind).highest);
          const auto saved =
              tables::EncodeCell(kind, tables::CellNumber(tables::FormatWhole(shown)));
          EXPECT_EQ(unused ? 0 : saved, b) << name << " " << r << "," << c;
        }
      }
    }
  }
  EXPECT_FALSE(core::ModuleVersionForShortName("VOSK").has_value());
}

}  // namespace
