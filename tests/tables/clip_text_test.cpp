// The clip text format: row ends from any program, the trailing row end, empty rows and
// the block limits. What Copy writes is the selection commands' test.
#include "tables/clip_text.h"

#include <gtest/gtest.h>

namespace {

using tables::ClipBlock;

TEST(ClipText, PasteAcceptsEveryRowEndAndKeepsOnlyTheBlockTheTableCanTake) {
  const ClipBlock expected = {{"1", "2", "3"}, {"4", "5", "6"}};
  // Without a tab, semicolons separate cells (decimal-comma spreadsheets), else commas.
  for (const char* text :
       {"1\t2\t3\r4\t5\t6", "1\t2\t3\n4\t5\t6", "1\t2\t3\r\n4\t5\t6\r\n", "1\t2\t3\n4\t5\t6\n",
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
