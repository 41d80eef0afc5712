#include "compare/tune_comparison.h"

#include <algorithm>
#include <cmath>

#include "core/data_file_layout.h"
#include "core/editions.h"
#include "core/eeprom_map.h"
#include "params/parameter_set.h"
#include "params/user_data.h"
#include "tables/cell_codec.h"

namespace compare {

namespace {

constexpr tables::TableId kTables[] = {tables::TableId::FrontCylTrim, tables::TableId::RearCylTrim,
                                       tables::TableId::Retard};

// Which data-file bytes some shown difference accounts for.
using Explained = std::vector<bool>;

std::size_t FlashOffset(tables::CellAddress at) {
  return 2 * (at.word - core::kFLASHRegionFirstWord) + (at.hiByte ? 1 : 0);
}

std::size_t EEPROMOffset(std::size_t byte) {
  return core::kEEPROMFileOffset + byte - core::kEEPROMRegionFirstByte;
}

bool HasTable(const core::ModuleImage& image, tables::TableId table) {
  return table != tables::TableId::Retard || core::IsSecondGeneration(image.ModuleVersion);
}

void ExplainTableArea(tables::TableId table, const tables::TableLayout& layout,
                      Explained& explained) {
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    for (int r = 1; r <= layout.rows; ++r) {
      explained[FlashOffset(tables::AddressOf(table, layout.rows, r, c))] = true;
    }
  }
}

std::vector<int> RpmMissingFrom(const tables::TableLayout& from, const tables::TableLayout& in) {
  std::vector<int> missing;
  for (const int rpm : from.rpm) {
    if (std::find(in.rpm.begin(), in.rpm.end(), rpm) == in.rpm.end()) missing.push_back(rpm);
  }
  return missing;
}

TableComparison CompareTable(tables::TableId table, const core::ModuleImage& first,
                             const core::ModuleImage& second, Explained& explained) {
  const tables::TableLayout firstLayout = tables::TableLayoutFor(first.ModuleVersion);
  const tables::TableLayout secondLayout = tables::TableLayoutFor(second.ModuleVersion);
  TableComparison result;
  result.table = table;
  result.inFirst = HasTable(first, table);
  result.inSecond = HasTable(second, table);
  const bool sameLayout = firstLayout.rows == secondLayout.rows;
  // Bytes of different layouts cannot be set against each other; the cells say it all.
  if (!sameLayout || result.inFirst != result.inSecond) {
    if (result.inFirst) ExplainTableArea(table, firstLayout, explained);
    if (result.inSecond) ExplainTableArea(table, secondLayout, explained);
  }
  if (!result.inFirst || !result.inSecond) return result;
  result.rpmOnlyInFirst = RpmMissingFrom(firstLayout, secondLayout);
  result.rpmOnlyInSecond = RpmMissingFrom(secondLayout, firstLayout);
  result.rpm = firstLayout.rpm;
  result.rpm.insert(result.rpm.end(), result.rpmOnlyInSecond.begin(), result.rpmOnlyInSecond.end());
  std::sort(result.rpm.begin(), result.rpm.end());
  for (int c = 1; c <= tables::kTpsColumns; ++c) {
    for (int r1 = 1; r1 <= firstLayout.rows; ++r1) {
      const int rpm = firstLayout.rpm[static_cast<std::size_t>(r1 - 1)];
      const auto match = std::find(secondLayout.rpm.begin(), secondLayout.rpm.end(), rpm);
      if (match == secondLayout.rpm.end()) continue;
      const int r2 = static_cast<int>(match - secondLayout.rpm.begin()) + 1;
      const double a = tables::ReadCell(first, table, firstLayout.rows, r1, c).displayed;
      const double b = tables::ReadCell(second, table, secondLayout.rows, r2, c).displayed;
      if (a == b) continue;
      result.cells.push_back({r1, r2, c, rpm, a, b, b - a});
      if (std::abs(b - a) > std::abs(result.largest)) result.largest = b - a;
      explained[FlashOffset(tables::AddressOf(table, firstLayout.rows, r1, c))] = true;
      explained[FlashOffset(tables::AddressOf(table, secondLayout.rows, r2, c))] = true;
    }
  }
  // Row by row, as the grid reads.
  std::sort(result.cells.begin(), result.cells.end(),
            [](const CellDifference& x, const CellDifference& y) {
              return std::pair(x.firstRow, x.col) < std::pair(y.firstRow, y.col);
            });
  return result;
}

struct TuneParameters {
  params::Generation generation;
  params::ParameterSet set;
  std::string userData;
};

TuneParameters ParametersOf(const core::ModuleImage& image) {
  TuneParameters tune{params::GenerationOf(image.ModuleVersion), {}, {}};
  params::LoadParameterSet(tune.generation, image.EEPROMBuffer, tune.set);
  tune.userData = params::ReadUserData(image.EEPROMBuffer);
  return tune;
}

std::optional<int> ParameterValue(const TuneParameters& tune, int number) {
  if (number > params::ParameterCount(tune.generation)) return std::nullopt;
  return tune.set.Param(number);
}

void CompareParameters(const TuneParameters& first, const TuneParameters& second,
                       TuneComparison& result, Explained& explained) {
  const int count =
      std::max(params::ParameterCount(first.generation), params::ParameterCount(second.generation));
  for (int n = 1; n <= count; ++n) {
    const ParameterComparison parameter{n, ParameterValue(first, n), ParameterValue(second, n)};
    result.parameters.push_back(parameter);
    if (!parameter.Differs()) continue;
    for (const TuneParameters* tune : {&first, &second}) {
      if (n <= params::ParameterCount(tune->generation)) {
        explained[EEPROMOffset(params::PlaceOf(tune->generation, n).byte)] = true;
      }
    }
  }
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

void CompareSettings(const TuneParameters& first, const TuneParameters& second,
                     TuneComparison& result, Explained& explained) {
  const auto add = [&](const char* name, std::string a, std::string b,
                       std::initializer_list<std::size_t> bytes) {
    const SettingComparison setting{name, std::move(a), std::move(b)};
    if (setting.Differs()) {
      for (const std::size_t byte : bytes) explained[EEPROMOffset(byte)] = true;
    }
    result.settings.push_back(setting);
  };
  add("Edition", result.firstEdition, result.secondEdition, {core::kEditionByte});
  add("Mode", first.set.BasicMode ? "Basic" : "Advanced",
      second.set.BasicMode ? "Basic" : "Advanced", {core::kModeByte});
  add("Injector swap on enrichment", OnOff(first.set.SwapMode), OnOff(second.set.SwapMode),
      {core::kModeByte});
  add("Manual trim in advanced mode", OnOff(first.set.TrimEnable), OnOff(second.set.TrimEnable),
      {core::kModeByte});
  if (first.userData != second.userData) {
    for (std::size_t i = 0; i < core::kUserDataLength; ++i) {
      explained[EEPROMOffset(core::kUserDataFirstByte + i)] = true;
    }
  }
  // Quoted, so blanks at the ends can be seen.
  result.settings.push_back({"User data", '"' + first.userData + '"', '"' + second.userData + '"'});
}

}  // namespace

bool TableComparison::Same() const {
  return inFirst == inSecond && cells.empty() && rpmOnlyInFirst.empty() && rpmOnlyInSecond.empty();
}

bool TuneComparison::Same() const {
  return std::all_of(tables.begin(), tables.end(),
                     [](const TableComparison& t) { return t.Same(); }) &&
         DifferingParameters() == 0 && DifferingSettings() == 0 && otherBytes.empty();
}

int TuneComparison::DifferingCells() const {
  int count = 0;
  for (const TableComparison& table : tables) count += static_cast<int>(table.cells.size());
  return count;
}

int TuneComparison::DifferingParameters() const {
  return static_cast<int>(std::count_if(parameters.begin(), parameters.end(),
                                        [](const ParameterComparison& p) { return p.Differs(); }));
}

int TuneComparison::DifferingSettings() const {
  return static_cast<int>(std::count_if(settings.begin(), settings.end(),
                                        [](const SettingComparison& s) { return s.Differs(); }));
}

const TableComparison* TuneComparison::Table(tables::TableId table) const {
  for (const TableComparison& t : tables) {
    if (t.table == table) return &t;
  }
  return nullptr;
}

TuneComparison CompareTunes(const core::ModuleImage& first, const core::ModuleImage& second,
                            std::string firstName, std::string secondName) {
  TuneComparison result;
  result.firstName = std::move(firstName);
  result.secondName = std::move(secondName);
  result.firstEdition = core::ModuleVersionFromEditionByte(first.EEPROMBuffer[core::kEditionByte]);
  result.secondEdition =
      core::ModuleVersionFromEditionByte(second.EEPROMBuffer[core::kEditionByte]);
  Explained explained(core::kDataFileBytes, false);
  for (const tables::TableId table : kTables) {
    TableComparison compared = CompareTable(table, first, second, explained);
    if (compared.inFirst || compared.inSecond) result.tables.push_back(std::move(compared));
  }
  const TuneParameters firstParameters = ParametersOf(first);
  const TuneParameters secondParameters = ParametersOf(second);
  CompareParameters(firstParameters, secondParameters, result, explained);
  CompareSettings(firstParameters, secondParameters, result, explained);
  const core::DataFileBytes a = core::EncodeDataFile(first);
  const core::DataFileBytes b = core::EncodeDataFile(second);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && !explained[i]) result.otherBytes.push_back({i, a[i], b[i]});
  }
  return result;
}

std::string ByteLocation(std::size_t offset) {
  if (offset >= core::kEEPROMFileOffset) {
    return "EEPROM byte " +
           std::to_string(offset - core::kEEPROMFileOffset + core::kEEPROMRegionFirstByte);
  }
  return "FLASH word " + std::to_string(core::kFLASHRegionFirstWord + offset / 2) +
         (offset % 2 == 0 ? ", low byte" : ", high byte");
}

}  // namespace compare
