// The comparison of two tunes: each table cell by cell, the parameters, the mode switches,
// the user text and the edition, and whatever else differs in the transferred regions. A
// plain result that the window, the printout and the command line each render.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/module_image.h"
#include "tables/table_map.h"

namespace compare {

// A cell whose shown value differs; rows are matched by their RPM, so a cell has a row in
// each tune's layout.
struct CellDifference {
  int firstRow = 0;
  int secondRow = 0;
  int col = 0;
  int rpm = 0;
  double first = 0;
  double second = 0;
  // second - first.
  double difference = 0;
};

struct TableComparison {
  tables::TableId table = tables::TableId::FrontCylTrim;
  // First-generation tunes have no retard table.
  bool inFirst = true;
  bool inSecond = true;
  std::vector<CellDifference> cells;
  // The difference of largest size, with its sign; 0 when no cell differs.
  double largest = 0;
  // Every RPM row either tune has, ascending.
  std::vector<int> rpm;
  // RPM rows that one layout has and the other lacks (an 18-row tune against a 22-row one).
  std::vector<int> rpmOnlyInFirst;
  std::vector<int> rpmOnlyInSecond;

  bool Same() const;
};

// Nothing where the tune's generation has no such parameter.
struct ParameterComparison {
  int number = 0;
  std::optional<int> first;
  std::optional<int> second;

  bool Differs() const { return first != second; }
};

// The edition, the three mode switches and the user text, as texts.
struct SettingComparison {
  std::string name;
  std::string first;
  std::string second;

  bool Differs() const { return first != second; }
};

// A byte of the transferred regions that differs where no table, parameter or setting
// shows it; offset as in a data file.
struct ByteDifference {
  std::size_t offset = 0;
  std::uint8_t first = 0;
  std::uint8_t second = 0;
};

struct TuneComparison {
  std::string firstName;
  std::string secondName;
  std::string firstEdition;
  std::string secondEdition;
  std::vector<TableComparison> tables;
  // Every parameter either generation has, in number order.
  std::vector<ParameterComparison> parameters;
  std::vector<SettingComparison> settings;
  std::vector<ByteDifference> otherBytes;

  bool Same() const;
  int DifferingCells() const;
  int DifferingParameters() const;
  int DifferingSettings() const;
  const TableComparison* Table(tables::TableId table) const;
};

// Each tune's tables are read in the layout of its own ModuleVersion, as the editor shows
// them (0 in a locked cell); the editions compared are those of the edition bytes.
TuneComparison CompareTunes(const core::ModuleImage& first, const core::ModuleImage& second,
                            std::string firstName, std::string secondName);

// Where a byte of a data file lies, as the user reads it: "FLASH word 6290, high byte".
std::string ByteLocation(std::size_t offset);

}  // namespace compare
