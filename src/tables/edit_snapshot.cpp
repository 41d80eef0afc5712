#include "tables/edit_snapshot.h"

#include "tables/table_from_image.h"

namespace tables {

namespace {

constexpr std::uint32_t kFLASHBytes = static_cast<std::uint32_t>(core::kFLASHWords) * 2;

}  // namespace

std::vector<std::uint8_t> ImageBytes(const core::ModuleImage& image) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kFLASHBytes + image.EEPROMBuffer.size());
  for (const core::FLASHWord& word : image.FLASHBuffer) {
    bytes.push_back(word.LoByte);
    bytes.push_back(word.HiByte);
  }
  bytes.insert(bytes.end(), image.EEPROMBuffer.begin(), image.EEPROMBuffer.end());
  return bytes;
}

std::uint8_t& ImageByte(core::ModuleImage& image, std::uint32_t offset) {
  if (offset >= kFLASHBytes) return image.EEPROMBuffer.at(offset - kFLASHBytes);
  core::FLASHWord& word = image.FLASHBuffer.at(offset / 2);
  return offset % 2 == 0 ? word.LoByte : word.HiByte;
}

ShownTable TableInGrid(const Grid& grid, const Chart& chart, std::optional<TableId> open) {
  ShownTable table{open, {}, {}};
  if (!open) return table;
  const auto cells =
      static_cast<std::size_t>(grid.Rows() - 1) * static_cast<std::size_t>(grid.Cols() - 1);
  table.texts.reserve(cells);
  table.heights.reserve(cells);
  for (int r = 1; r < grid.Rows(); ++r) {
    for (int c = 1; c < grid.Cols(); ++c) {
      table.texts.push_back(grid.TextMatrix(r, c));
      table.heights.push_back(chart.Height(r, c));
    }
  }
  return table;
}

std::vector<std::string> DecodedTexts(const core::ModuleImage& image, TableId table) {
  const TableFromImage shown = ReadTableFromImage(image, table);
  std::vector<std::string> texts;
  for (int r = 1; r < shown.Rows(); ++r) {
    texts.insert(texts.end(), shown.texts[r].begin() + 1, shown.texts[r].end());
  }
  return texts;
}

EditSnapshot TakeSnapshot(const core::ModuleImage& image, const Grid& grid, const Chart& chart,
                          std::optional<TableId> open) {
  return {ImageBytes(image), TableInGrid(grid, chart, open)};
}

EditStep StepBetween(std::string name, const EditSnapshot& before, const EditSnapshot& after,
                     const core::ModuleImage& image) {
  EditStep step;
  step.name = std::move(name);
  for (std::size_t i = 0; i < before.bytes.size() && i < after.bytes.size(); ++i) {
    if (before.bytes[i] != after.bytes[i]) {
      step.bytes.push_back({static_cast<std::uint32_t>(i), before.bytes[i], after.bytes[i]});
    }
  }
  const ShownTable& was = before.table;
  const ShownTable& is = after.table;
  if (was.table == is.table && was.texts.size() == is.texts.size() &&
      was.heights.size() == is.heights.size()) {
    if (!is.table) return step;
    step.table = is.table;
    const int cols = kTpsColumns;
    for (std::size_t i = 0; i < was.texts.size(); ++i) {
      if (was.texts[i] == is.texts[i] && was.heights[i] == is.heights[i]) continue;
      step.cells.push_back({static_cast<int>(i) / cols + 1, static_cast<int>(i) % cols + 1,
                            was.texts[i], is.texts[i], was.heights[i], is.heights[i]});
    }
    return step;
  }
  const auto kept = [&](const ShownTable& table) {
    return !table.table || table.texts == DecodedTexts(image, *table.table);
  };
  if (step.bytes.empty() && kept(was) && kept(is)) return step;
  step.tableBefore = was;
  step.tableAfter = is;
  return step;
}

}  // namespace tables
