#include "files/data_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include "core/editions.h"
#include "core/failure.h"

namespace files {

namespace fs = std::filesystem;

namespace {

// A file rewritten in place is kept in memory meanwhile; larger ones are not data files.
constexpr std::size_t kInPlaceLimit = std::size_t{64} * 1024 * 1024;

std::string SystemReason(int error) {
  return error != 0 ? std::generic_category().message(error)
                    : std::string("the system gave no reason");
}

// The file's kind in messages.
constexpr const char* kDataFile = "data file";
constexpr const char* kTextFile = "file";

[[noreturn]] void FailOpen(const fs::path& path, const std::string& reason,
                           const char* what = kDataFile) {
  throw core::Error(
      core::kErrCommOrFileOpen, core::kSourceFileOpen,
      "Cannot read the " + std::string(what) + " " + path.string() + ": " + reason + ".");
}

[[noreturn]] void FailSave(const fs::path& path, const std::string& reason, const char* what) {
  throw core::Error(core::kErrFileSave, core::kSourceFileSave,
                    "Cannot save the " + std::string(what) + " " + path.string() + ": " + reason +
                        ". Nothing was written over an existing file. Check that the folder "
                        "exists, that you may write to it and that the disk has room.");
}

std::string KindOf(const fs::file_status& status) {
  switch (status.type()) {
    case fs::file_type::directory:
      return "a folder";
    case fs::file_type::fifo:
      return "a named pipe";
    case fs::file_type::character:
    case fs::file_type::block:
      return "a device";
    case fs::file_type::socket:
      return "a socket";
    default:
      return "not a regular file";
  }
}

// The system's error when the file may not be written, 0 when it may. Opening for
// appending changes nothing in the file.
int WriteRefusal(const fs::path& file) {
  errno = 0;
  std::FILE* probe = std::fopen(file.c_str(), "ab");
  if (!probe) return errno != 0 ? errno : EACCES;
  std::fclose(probe);
  return 0;
}

// Nothing when the file cannot be read (errno says why) or holds more than limit bytes.
std::optional<std::string> ReadWhole(const fs::path& file, std::size_t limit) {
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (!in) return std::nullopt;
  std::string contents;
  std::array<char, 4096> chunk{};
  std::size_t got = 0;
  while (contents.size() <= limit && (got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
    contents.append(chunk.data(), got);
  }
  const bool failed = std::ferror(in) != 0 || contents.size() > limit;
  std::fclose(in);
  if (failed) return std::nullopt;
  return contents;
}

bool WriteAt(const fs::path& file, const void* data, std::size_t size) {
  std::FILE* out = std::fopen(file.c_str(), "r+b");
  if (!out) return false;
  bool written = std::fwrite(data, 1, size, out) == size && std::fflush(out) == 0;
  written = std::fclose(out) == 0 && written;
  std::error_code error;
  if (written) fs::resize_file(file, size, error);
  return written && !error;
}

// Rewrites the file itself, where no temporary file can be made beside it; the old
// contents are put back when the write fails.
void WriteInPlace(const fs::path& path, const fs::path& target, std::string_view bytes,
                  const char* what) {
  const std::optional<std::string> old = ReadWhole(target, kInPlaceLimit);
  if (!old) FailSave(path, "the folder takes no new file and the old file cannot be kept", what);
  errno = 0;
  if (WriteAt(target, bytes.data(), bytes.size())) return;
  const int reason = errno;
  if (!WriteAt(target, old->data(), old->size())) {
    throw core::Error(core::kErrFileSave, core::kSourceFileSave,
                      "Cannot save the " + std::string(what) + " " + path.string() + ": " +
                          SystemReason(reason) +
                          ". Its old contents could not be put back either: the file may be "
                          "damaged.");
  }
  FailSave(path, SystemReason(reason), what);
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

void WriteSafely(const fs::path& path, std::string_view bytes, const char* what) {
  std::error_code error;
  fs::path target = path;
  // Saving over a link replaces the file it points to, not the link.
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::weakly_canonical(target, error);
    if (!error) target = resolved;
  }
  const fs::file_status old = fs::status(target, error);
  const bool replacing = fs::exists(old);
  if (replacing && !fs::is_regular_file(old)) FailSave(path, "it is " + KindOf(old), what);
  // A file the user may not write is never replaced, whatever the folder allows.
  if (replacing) {
    if (const int refused = WriteRefusal(target); refused != 0) {
      FailSave(path, SystemReason(refused), what);
    }
  }
  const fs::path temporary = TemporaryBeside(target);
  errno = 0;
  std::FILE* file = std::fopen(temporary.c_str(), "wbx");
  if (!file) {
    const int reason = errno;
    // A folder that takes no new file can still hold a file that may be rewritten.
    if (replacing && (reason == EACCES || reason == EPERM))
      return WriteInPlace(path, target, bytes, what);
    FailSave(path, SystemReason(reason), what);
  }
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
    FailSave(path, SystemReason(reason), what);
  }
  // A replaced file keeps who may read and write it.
  if (replacing) fs::permissions(temporary, old.permissions(), error);
  fs::rename(temporary, target, error);
  if (error) {
    const std::string renameReason = error.message();
    fs::remove(temporary, error);
    FailSave(path, renameReason, what);
  }
}

}  // namespace

core::ModuleImage ImageFromFile(const core::DataFileBytes& bytes) {
  core::ModuleImage image;
  core::DecodeDataFile(bytes, image);
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  image.EditionByteValue = image.EEPROMBuffer[core::kEditionByte];
  image.ModuleVersion = core::ModuleVersionFromEditionByte(image.EEPROMBuffer[core::kEditionByte]);
  core::ReplaceBlankBytes(image);
  return image;
}

std::optional<core::DataFileBytes> ReadDataFile(const fs::path& path) {
  std::error_code error;
  // Only a regular file is read: opening a named pipe or a device could block for ever.
  const fs::file_status status = fs::status(path, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    FailOpen(path, "it is " + KindOf(status) + ", not a data file");
  }
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) FailOpen(path, SystemReason(errno));
  core::DataFileBytes bytes{};
  errno = 0;
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool readError = std::ferror(file) != 0;
  const int reason = errno;
  std::fclose(file);
  if (readError) FailOpen(path, SystemReason(reason));
  if (got < bytes.size()) return std::nullopt;
  return bytes;
}

void WriteDataFile(const fs::path& path, const core::DataFileBytes& bytes) {
  WriteSafely(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, kDataFile);
}

std::string ReadTextFile(const fs::path& path, std::size_t maxBytes) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    FailOpen(path, "it is " + KindOf(status) + ", not a text file", kTextFile);
  }
  const std::string tooLarge =
      "it holds more than " + std::to_string(maxBytes) + " bytes, which no such file needs";
  if (fs::file_size(path, error) > maxBytes && !error) FailOpen(path, tooLarge, kTextFile);
  errno = 0;
  std::optional<std::string> text = ReadWhole(path, maxBytes);
  // errno stays 0 for a file that grew past the limit while it was read.
  if (!text) FailOpen(path, errno != 0 ? SystemReason(errno) : tooLarge, kTextFile);
  return std::move(*text);
}

void WriteTextFile(const fs::path& path, std::string_view text) {
  WriteSafely(path, text, kTextFile);
}

}  // namespace files
