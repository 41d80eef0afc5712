// The programming and verification loops over the transferred FLASH and EEPROM regions,
// with the progress frame and the Esc abort.
#include <array>

#include "core/regions.h"
#include "link/link.h"

namespace comm {

namespace {

constexpr long kFirstWord = core::kFLASHRegionFirstWord;
constexpr long kLastWord = core::kFLASHRegionLastWord;
constexpr long kFirstByte = core::kEEPROMRegionFirstByte;
constexpr long kLastByte = core::kEEPROMRegionLastByte;
constexpr std::size_t kPageBufferSize = 256;

}  // namespace

void Link::ReadMegaFLASHData(core::ModuleImage& image) {
  abortFlag_ = false;
  ShowProgress(kCaptionReadingFLASH);
  image.ClearFLASHBuffer();
  if (!SetAddress(core::kFLASHRegionFirstByteAddress)) return EndLoop();
  CommOK = false;
  for (long i = kFirstWord; i <= kLastWord; ++i) {
    core::FLASHWord& word = image.FLASHBuffer[static_cast<std::size_t>(i)];
    word.LoByte = ReadFLASH();
    // A word counts only when both of its reads succeeded.
    const bool lowRead = CommOK;
    word.HiByte = ReadFLASH();
    CommOK = CommOK && lowRead;
    host_.SetProgress(ProgressPercent(i, kFirstWord, kLastWord));
    host_.Yield();
    if (abortFlag_ || !CommOK) {
      abortFlag_ = false;
      image.ClearFLASHBuffer();
      EndLoop();
      CommOK = false;
      return;
    }
  }
  image.FLASHBufferEmpty = false;
  EndLoop();
}

void Link::ReadEEPROMData(core::ModuleImage& image) {
  abortFlag_ = false;
  ShowProgress(kCaptionReadingEEPROM);
  image.ClearEEPROMBuffer();
  if (!SetAddress(kFirstByte)) return EndLoop();
  CommOK = false;
  for (long i = kFirstByte; i <= kLastByte; ++i) {
    image.EEPROMBuffer[static_cast<std::size_t>(i)] = ReadEEPROM();
    host_.SetProgress(ProgressPercent(i, kFirstByte, kLastByte));
    host_.Yield();
    if (abortFlag_ || !CommOK) {
      abortFlag_ = false;
      image.ClearEEPROMBuffer();
      EndLoop();
      CommOK = false;
      return;
    }
    DelayTimer(kPacingDelay);
  }
  image.EEPROMBufferEmpty = false;
  EndLoop();
  CommOK = true;
}

void Link::WriteMegaFLASHData(const core::ModuleImage& image) {
  abortFlag_ = false;
  ShowProgress(kCaptionProgrammingFLASH);
  const auto pageWords = static_cast<long>(PageSize);
  const long firstPage = kFirstWord / pageWords;
  const long lastPage = (kLastWord + 1) / pageWords - 1;
  std::array<Byte, kPageBufferSize> buffer{};
  for (long page = firstPage; page <= lastPage; ++page) {
    for (long j = 0; j < pageWords; ++j) {
      const core::FLASHWord& word =
          image.FLASHBuffer[static_cast<std::size_t>(pageWords * page + j)];
      buffer[static_cast<std::size_t>(2 * j)] = word.LoByte;
      buffer[static_cast<std::size_t>(2 * j + 1)] = word.HiByte;
    }
    // Each step needs the one before: an erase or a write at an address the loader did
    // not confirm could hit a page outside the region.
    const bool written = SetAddress(static_cast<std::int32_t>(2 * pageWords * page)) &&
                         ErasePage() && WriteBuffer(buffer) && WritePage();
    host_.SetProgress(ProgressPercent(page, firstPage, lastPage));
    host_.Yield();
    if (abortFlag_ || !written) {
      abortFlag_ = false;
      EndLoop();
      CommOK = false;
      return;
    }
  }
  host_.HideProgress();
  VerifyFLASH(image);
  ClosePort();
}

void Link::WriteEEPROMData(const core::ModuleImage& image) {
  // Esc does not stop EEPROM programming: a half-written parameter set is worse.
  ShowProgress(kCaptionProgrammingEEPROM);
  if (!SetAddress(kFirstByte)) return EndLoop();
  CommOK = false;
  for (long i = kFirstByte; i <= kLastByte; ++i) {
    if (!WriteEEPROMByte(image.EEPROMBuffer[static_cast<std::size_t>(i)])) {
      EndLoop();
      CommOK = false;
      return;
    }
    DelayTimer(kPacingDelay);
    host_.SetProgress(ProgressPercent(i, kFirstByte, kLastByte));
  }
  host_.HideProgress();
  VerifyEEPROM(image);
  CommOK = true;
  ClosePort();
}

void Link::VerifyFLASH(const core::ModuleImage& image) {
  abortFlag_ = false;
  FLASHErrors = 0;
  ShowProgress(kCaptionVerifyingFLASH);
  // Reading from an address the loader refused would compare the wrong bytes.
  if (!SetAddress(core::kFLASHRegionFirstByteAddress)) {
    ++FLASHErrors;
    return EndLoop();
  }
  for (long i = kFirstWord; i <= kLastWord; ++i) {
    const core::FLASHWord& expected = image.FLASHBuffer[static_cast<std::size_t>(i)];
    const bool lowMatches = ReadFLASH() == expected.LoByte;
    const bool lowRead = CommOK;
    const bool highMatches = ReadFLASH() == expected.HiByte;
    CommOK = CommOK && lowRead;
    if (!lowMatches || !highMatches) ++FLASHErrors;
    host_.SetProgress(ProgressPercent(i, kFirstWord, kLastWord));
    host_.Yield();
    if (abortFlag_ || !CommOK) {
      ++FLASHErrors;
      abortFlag_ = false;
      EndLoop();
      return;
    }
  }
  EndLoop();
}

void Link::VerifyEEPROM(const core::ModuleImage& image) {
  abortFlag_ = false;
  EEPROMErrors = 0;
  ShowProgress(kCaptionVerifyingEEPROM);
  if (!SetAddress(kFirstByte)) {
    ++EEPROMErrors;
    return EndLoop();
  }
  for (long i = kFirstByte; i <= kLastByte; ++i) {
    if (ReadEEPROM() != image.EEPROMBuffer[static_cast<std::size_t>(i)]) ++EEPROMErrors;
    host_.SetProgress(ProgressPercent(i, kFirstByte, kLastByte));
    host_.Yield();
    if (abortFlag_ || !CommOK) {
      ++EEPROMErrors;
      abortFlag_ = false;
      EndLoop();
      return;
    }
  }
  EndLoop();
}

}  // namespace comm
