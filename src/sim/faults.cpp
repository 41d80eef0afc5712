#include "sim/faults.h"

#include <charconv>

#include "core/regions.h"

namespace sim {

namespace {

constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;
constexpr unsigned kMaxByte = 0xFF;

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<comm::Byte> ParseCommand(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  const auto value = ParseNumber<unsigned>(text, kHexBase);
  if (!value || *value > kMaxByte) return std::nullopt;
  return static_cast<comm::Byte>(*value);
}

std::optional<std::chrono::milliseconds> ParseMilliseconds(std::string_view text) {
  const auto value = ParseNumber<long>(text, kDecimalBase);
  if (!value || *value < 0) return std::nullopt;
  return std::chrono::milliseconds(*value);
}

}  // namespace

std::string AddFault(Faults& faults, std::string_view spec) {
  const std::size_t equals = spec.find('=');
  const std::string_view name = spec.substr(0, equals);
  const std::string_view value = equals == std::string_view::npos ? "" : spec.substr(equals + 1);
  const std::string bad = "cannot use fault \"" + std::string(spec) + "\": ";
  if (name == "silent" && equals == std::string_view::npos) {
    faults.silent = true;
  } else if (name == "engine-started" && equals == std::string_view::npos) {
    faults.engineStarted = true;
  } else if (name == "busy") {
    const auto time = ParseMilliseconds(value);
    if (!time) return bad + "give the busy time in milliseconds, e.g. busy=1200";
    faults.busy = *time;
  } else if (name == "nak") {
    const auto command = ParseCommand(value);
    if (!command) return bad + "give the command byte in hex, e.g. nak=1D";
    faults.nak.insert(*command);
  } else if (name == "late" || name == "late-every") {
    const std::size_t colon = value.find(':');
    const auto command = ParseCommand(value.substr(0, colon));
    const auto time =
        colon == std::string_view::npos ? std::nullopt : ParseMilliseconds(value.substr(colon + 1));
    if (!command || !time) {
      return bad + "give the command in hex and the delay in ms, e.g. " + std::string(name) +
             "=2F:900";
    }
    (name == "late" ? faults.late : faults.lateEvery)[*command] = *time;
  } else if (name == "drop-after" || name == "lose" || name == "vanish-after") {
    const auto count = ParseNumber<std::size_t>(value, kDecimalBase);
    if (!count) return bad + "give the number of bytes, e.g. " + std::string(name) + "=100";
    (name == "drop-after" ? faults.dropAfter
     : name == "lose"     ? faults.lose
                          : faults.vanishAfter) = *count;
  } else if (name == "stall") {
    const std::size_t colon = value.find(':');
    const auto count = ParseNumber<std::size_t>(value.substr(0, colon), kDecimalBase);
    const auto time =
        colon == std::string_view::npos ? std::nullopt : ParseMilliseconds(value.substr(colon + 1));
    if (!count || !time) return bad + "give the byte and the time in ms, e.g. stall=100:1500";
    faults.stall = Faults::Stall{*count, *time};
  } else if (name == "flip-flash") {
    const auto word = ParseNumber<std::size_t>(value, kDecimalBase);
    if (!word || *word >= core::kFLASHWords) return bad + "give a FLASH word from 0 to 8191";
    faults.flipFlashWord = *word;
  } else if (name == "line-error") {
    const auto code = ParseNumber<int>(value, kDecimalBase);
    if (!code) return bad + "give the event code, e.g. line-error=1004";
    faults.lineErrors.push_back(*code);
  } else if (name == "id") {
    faults.firmwareID = std::string(value);
  } else {
    return "unknown fault \"" + std::string(spec) + "\"; see --help";
  }
  return {};
}

std::string FaultHelp() {
  return "Faults (each --fault may be repeated):\n"
         "  silent            never answers\n"
         "  busy=MS           ReSync is not acknowledged for the first MS milliseconds\n"
         "  engine-started    the status byte says the engine has been started (0x04)\n"
         "  nak=CMD           wrong acknowledgement to command byte CMD (hex)\n"
         "  late=CMD:MS       the reply to CMD (hex) comes MS milliseconds late, once\n"
         "  late-every=CMD:MS every reply to CMD (hex) comes MS milliseconds late\n"
         "  drop-after=N      stops answering after N received bytes\n"
         "  lose=N            received byte N (from 1) is lost on its way to the module\n"
         "  stall=N:MS        after received byte N the module takes nothing for MS\n"
         "                    milliseconds; what arrives meanwhile is taken afterwards\n"
         "  vanish-after=N    the port goes away after N bytes (in-process port only)\n"
         "  flip-flash=WORD   programming stores a wrong low byte at FLASH word WORD\n"
         "  line-error=CODE   raises line event CODE once (in-process port only)\n"
         "  id=TEXT           answers the firmware ID query with TEXT\n";
}

}  // namespace sim
