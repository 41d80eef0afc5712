#include "files/data_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include "core/failure.h"

namespace files {

namespace fs = std::filesystem;

namespace {

std::string SystemReason(int error) {
  return error != 0 ? std::generic_category().message(error)
                    : std::string("the system gave no reason");
}

[[noreturn]] void FailOpen(const fs::path& path, const std::string& reason) {
  throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen,
                    "Cannot read the data file " + path.string() + ": " + reason + ".");
}

[[noreturn]] void FailSave(const fs::path& path, const std::string& reason) {
  throw core::Error(core::kErrFileSave, core::kSourceFileSave,
                    "Cannot save the data file " + path.string() + ": " + reason +
                        ". Nothing was written over an existing file. Check that the folder "
                        "exists, that you may write to it and that the disk has room.");
}

fs::path TemporaryBeside(const fs::path& target) {
  std::random_device random;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string name = ".";
  name += target.filename().string();
  name += ".saving-";
  name += std::to_string(random());
  return folder / name;
}

}  // namespace

DataFileBytes EncodeDataFile(const core::ModuleImage& image) {
  DataFileBytes bytes{};
  for (std::size_t i = 0; i < core::kFLASHRegionWords; ++i) {
    const core::FLASHWord& word = image.FLASHBuffer[core::kFLASHRegionFirstWord + i];
    bytes[2 * i] = word.LoByte;
    bytes[2 * i + 1] = word.HiByte;
  }
  for (std::size_t i = 0; i < core::kEEPROMRegionBytes; ++i) {
    bytes[kEEPROMFileOffset + i] = image.EEPROMBuffer[core::kEEPROMRegionFirstByte + i];
  }
  return bytes;
}

void DecodeDataFile(const DataFileBytes& bytes, core::ModuleImage& image) {
  for (std::size_t i = 0; i < core::kFLASHRegionWords; ++i) {
    core::FLASHWord& word = image.FLASHBuffer[core::kFLASHRegionFirstWord + i];
    word.LoByte = bytes[2 * i];
    word.HiByte = bytes[2 * i + 1];
  }
  for (std::size_t i = 0; i < core::kEEPROMRegionBytes; ++i) {
    image.EEPROMBuffer[core::kEEPROMRegionFirstByte + i] = bytes[kEEPROMFileOffset + i];
  }
}

std::optional<DataFileBytes> ReadDataFile(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) FailOpen(path, "it is a folder, not a data file");
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) FailOpen(path, SystemReason(errno));
  DataFileBytes bytes{};
  errno = 0;
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool readError = std::ferror(file) != 0;
  const int reason = errno;
  std::fclose(file);
  if (readError) FailOpen(path, SystemReason(reason));
  if (got < bytes.size()) return std::nullopt;
  return bytes;
}

void WriteDataFile(const fs::path& path, const DataFileBytes& bytes) {
  std::error_code error;
  fs::path target = path;
  // Saving over a link replaces the file it points to, not the link.
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::weakly_canonical(target, error);
    if (!error) target = resolved;
  }
  if (fs::is_directory(target, error)) FailSave(path, "it is a folder");
  const fs::path temporary = TemporaryBeside(target);
  errno = 0;
  std::FILE* file = std::fopen(temporary.c_str(), "wbx");
  if (!file) FailSave(path, SystemReason(errno));
  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = written && std::fflush(file) == 0;
  int reason = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (!written) {
    fs::remove(temporary, error);
    FailSave(path, SystemReason(reason));
  }
  // A replaced file keeps who may read and write it.
  const fs::file_status old = fs::status(target, error);
  if (!error && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
  fs::rename(temporary, target, error);
  if (error) {
    const std::string renameReason = error.message();
    fs::remove(temporary, error);
    FailSave(path, renameReason);
  }
}

}  // namespace files
