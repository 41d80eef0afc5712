// Feeds files of any size and content to the data file reader: a file shorter than 1360
// bytes gives nothing, a longer one its first 1360 bytes, and those survive a decode into
// the image and an encode back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/failure.h"
#include "files/data_file.h"

namespace {

// In the run's own temporary folder, which the runner removes afterwards.
const std::filesystem::path& FuzzFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("ventrel-fuzz-" + std::to_string(getpid()) + ".dat");
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* out = std::fopen(FuzzFile().c_str(), "wb");
  if (!out) return 0;
  const bool written = std::fwrite(data, 1, size, out) == size;
  if (std::fclose(out) != 0 || !written) return 0;
  std::optional<core::DataFileBytes> bytes;
  try {
    bytes = files::ReadDataFile(FuzzFile());
  } catch (const core::Error&) {
    __builtin_trap();
  }
  if (bytes.has_value() != (size >= core::kDataFileBytes)) __builtin_trap();
  if (!bytes) return 0;
  if (std::memcmp(bytes->data(), data, core::kDataFileBytes) != 0) __builtin_trap();
  core::ModuleImage image;
  core::DecodeDataFile(*bytes, image);
  if (core::EncodeDataFile(image) != *bytes) __builtin_trap();
  return 0;
}
