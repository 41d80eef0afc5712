// Chart templates: the shipped ones read, broken ones are refused with a reason.
#include "tables/chart_template.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const std::string kGood = R"({
  "title": "Fuel Trim",
  "rpmAxis": {"title": "RPM", "min": 500, "max": 6500},
  "tpsAxis": {"title": "TPS %", "min": 0, "max": 100},
  "valueAxis": {"title": "Trim %", "min": -20, "max": 30},
  "gradient": [[0, "#000000"], [1, "#FFfF10"]],
  "camera": {"horizontal": -45, "vertical": 25, "zoom": 110}
})";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(ChartTemplate, ReadsTheFieldsAndEveryShippedTemplate) {
  const tables::ChartTemplate t = tables::ParseChartTemplate(kGood);
  EXPECT_EQ(t.rpmAxis.max, 6500);
  EXPECT_EQ(t.valueAxis.min, -20);
  ASSERT_EQ(t.gradient.size(), 2u);
  EXPECT_EQ(t.gradient[1].colour, (tables::Colour{255, 255, 16}));
  EXPECT_EQ(t.cameraZoom, 110);
  for (const auto kind : {tables::TableKind::Fuel, tables::TableKind::Retard}) {
    for (const bool jx : {false, true}) {
      const auto name = tables::ChartTemplateFileName(kind, jx);
      EXPECT_NO_THROW(tables::ReadChartTemplate(std::filesystem::path(VENTREL_DATA_DIR) / name))
          << name;
    }
  }
}

TEST(ChartTemplate, BrokenOrMissingTemplatesSayWhatIsWrong) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "ends too early"},
      {"not json", "expected a value"},
      {"[1, 2]", "must be a JSON object"},
      {kGood + "x", "after the end"},
      {Replace(kGood, "\"Fuel Trim\"", "7"), "\"title\" must be a string"},
      {Replace(kGood, "\"max\": 6500", "\"max\": \"6500\""),
       "\"rpmAxis\": \"max\" must be a number"},
      {Replace(kGood, "\"min\": 500", "\"min\": 7000"), "\"min\" must be below \"max\""},
      {Replace(kGood, "\"#000000\"", "\"black\""), "#rrggbb"},
      {Replace(kGood, "[[0, \"#000000\"], [1, \"#FFfF10\"]]", "[]"), "\"gradient\" must be"},
      {Replace(kGood, "[0, \"#000000\"]", "[2, \"#000000\"]"), "between 0 and 1"},
      {Replace(kGood, "\"zoom\": 110", "\"zoom\": 0"), "\"zoom\" must lie between"},
      {Replace(kGood, ", \"zoom\": 110", ""), "\"camera\": \"zoom\" is missing"},
      {std::string(100, '[') + std::string(100, ']'), "nested too deeply"},
      {"{\"title\": \"unterminated}", "not closed"},
  };
  for (const auto& [text, says] : cases) {
    try {
      tables::ParseChartTemplate(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(tables::ReadChartTemplate("/nonexistent/Quillon_CylTrim_Chart.oc3"),
               std::runtime_error);
}

}  // namespace
