// Feeds arbitrary bytes to the chart template reader: a template is refused with a
// reason or read into values that keep the rules the chart relies on.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "tables/chart_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const tables::ChartTemplate t = tables::ParseChartTemplate(text);
    for (const tables::ChartAxis* axis : {&t.rpmAxis, &t.tpsAxis, &t.valueAxis}) {
      if (!(axis->min < axis->max)) __builtin_trap();
    }
    if (t.gradient.empty()) __builtin_trap();
    for (std::size_t i = 1; i < t.gradient.size(); ++i) {
      if (t.gradient[i].position < t.gradient[i - 1].position) __builtin_trap();
    }
  } catch (const std::runtime_error&) {
    // Refused with a reason: what matters is that nothing else goes wrong.
  }
  return 0;
}
