#include "transfer/backup_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/data_file_layout.h"
#include "core/failure.h"
#include "files/data_file.h"
#include "files/file_dialogs.h"

namespace transfer {

namespace fs = std::filesystem;

namespace {

// More backups of one module in one second than any upload makes.
constexpr int kMaxNamesPerSecond = 100;

[[noreturn]] void Fail(const std::string& description) {
  throw core::Error(core::kErrFileSave, core::kSourceFileSave, description);
}

std::string FileNamePart(std::string_view text) {
  std::string part;
  for (const char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '-';
    part += plain ? c : '-';
  }
  return part;
}

fs::path NumberedName(const fs::path& name, int number) {
  if (number == 1) return name;
  fs::path numbered = name.stem();
  numbered += "_" + std::to_string(number);
  numbered += name.extension();
  return numbered;
}

// Creates the file exclusively, so that no other backup or program can hold the name;
// the data then replace this empty file atomically.
fs::path ReserveName(const fs::path& folder, const fs::path& name) {
  for (int number = 1; number <= kMaxNamesPerSecond; ++number) {
    fs::path path = folder / NumberedName(name, number);
    errno = 0;
    if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
      std::fclose(file);
      return path;
    }
    if (errno != EEXIST) {
      Fail("Cannot create the backup " + path.string() + ": " +
           std::generic_category().message(errno) + ".");
    }
  }
  Fail("Cannot find a free name for the backup in " + folder.string() + ".");
}

void MakeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error)) {
    Fail("Cannot make the backups folder " + folder.string() + ": " +
         (error ? error.message() : std::string("a file of that name is in the way")) + ".");
  }
}

}  // namespace

std::string BackupFileName(const std::tm& when, std::string_view moduleVersion,
                           std::string_view firmwareID) {
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &when);
  return std::string(stamp) + "_" + FileNamePart(moduleVersion) + "_" + FileNamePart(firmwareID) +
         files::kDataFileSuffix;
}

fs::path SaveBackup(const fs::path& folder, const core::ModuleImage& module, const std::tm& when) {
  MakeFolder(folder);
  const core::DataFileBytes bytes = core::EncodeDataFile(module);
  fs::path path =
      ReserveName(folder, BackupFileName(when, module.ModuleVersion, module.FirmwareID));
  try {
    files::WriteDataFile(path, bytes);
  } catch (const core::Error&) {
    // Only the empty file that held the name goes; no backup is ever removed.
    std::error_code ignored;
    fs::remove(path, ignored);
    throw;
  }
  if (files::ReadDataFile(path) != bytes) {
    Fail("The backup " + path.string() + " does not read back as it was written.");
  }
  return path;
}

}  // namespace transfer
