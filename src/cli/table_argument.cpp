#include "cli/table_argument.h"

#include <iostream>

#include "core/editions.h"

namespace cli {

std::optional<tables::TableId> TableNamed(const std::string& name) {
  if (name == "front") return tables::TableId::FrontCylTrim;
  if (name == "rear") return tables::TableId::RearCylTrim;
  if (name == "retard") return tables::TableId::Retard;
  return std::nullopt;
}

bool DataHaveTable(const std::string& command, const std::string& path,
                   const core::ModuleImage& image, tables::TableId table) {
  if (table != tables::TableId::Retard || core::IsSecondGeneration(image.ModuleVersion)) {
    return true;
  }
  std::cerr << "ventrel-cli " << command << ": " << path << " holds " << image.ModuleVersion
            << " data; only Quillon II editions have a retard table\n";
  return false;
}

}  // namespace cli
