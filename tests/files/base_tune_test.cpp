// The example tunes: each reopens as its edition, and opening and saving a table of one
// changes no byte.
#include "files/base_tune.h"

#include <gtest/gtest.h>

#include "core/editions.h"
#include "tables/cell_codec.h"
#include "tables/cell_text.h"

namespace {

TEST(BaseTune, EveryEditionReopensAsItselfAndSavesBackUnchanged) {
  for (const char* name : {"vosk", "kq", "ql2-vosk", "ql2-kq", "jx"}) {
    const std::string version = files::ModuleVersionForEditionName(name).value();
    const core::ModuleImage image = files::BaseTune(version);
    EXPECT_EQ(core::ModuleVersionFromEditionByte(image.EEPROMBuffer[33]), version);
    EXPECT_EQ(image.EEPROMBuffer[32], 1) << "basic mode by default";
    const int rows = tables::TableLayoutFor(version).rows;
    for (const auto table :
         {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim, tables::TableId::Retard}) {
      for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= rows; ++r) {
          const std::uint8_t b = tables::CellByte(image, table, rows, r, c);
          const double shown = tables::ReadCell(image, table, rows, r, c).displayed;
          const auto range = tables::AllowedRange(tables::KindOf(table));
          EXPECT_GE(shown, range.lowest);
          EXPECT_LE(shown, range.highest);
          if (table == tables::TableId::Retard && !core::IsSecondGeneration(version)) {
            EXPECT_EQ(b, 0);
            continue;
          }
          EXPECT_EQ(tables::EncodeCell(tables::KindOf(table),
                                       tables::CellNumber(tables::FormatWhole(shown))),
                    b)
              << name << " " << r << "," << c;
        }
      }
    }
  }
  EXPECT_FALSE(files::ModuleVersionForEditionName("VOSK").has_value());
}

}  // namespace
