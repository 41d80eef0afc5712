#include "app/window_geometry.h"

#include <algorithm>
#include <charconv>

#include "app/splash.h"

namespace app {

namespace {

constexpr std::size_t kGeometryFields = 5;

long long Overlap(const WindowRect& a, const WindowRect& b) {
  // In long long: stored numbers may be as large as an int holds.
  const auto span = [](long long start1, long long length1, long long start2, long long length2) {
    return std::min(start1 + length1, start2 + length2) - std::max(start1, start2);
  };
  const long long width = span(a.x, a.width, b.x, b.width);
  const long long height = span(a.y, a.height, b.y, b.height);
  return width > 0 && height > 0 ? width * height : 0;
}

// Moves [start, start+length) inside [low, low+room): length is at most room.
int Within(int start, int length, int low, int room) {
  return std::clamp(start, low, low + room - length);
}

}  // namespace

std::string FormatGeometry(const WindowGeometry& geometry) {
  const WindowRect& r = geometry.normal;
  return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
         std::to_string(r.height) + "," + (geometry.maximized ? "1" : "0");
}

std::optional<WindowGeometry> ParseGeometry(std::string_view text) {
  int fields[kGeometryFields] = {};
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (std::size_t i = 0; i < kGeometryFields; ++i) {
    if (i > 0) {
      if (at == end || *at != ',') return std::nullopt;
      ++at;
    }
    const auto [next, error] = std::from_chars(at, end, fields[i]);
    if (error != std::errc()) return std::nullopt;
    at = next;
  }
  if (at != end) return std::nullopt;
  const WindowGeometry geometry{{fields[0], fields[1], fields[2], fields[3]}, fields[4] == 1};
  if (geometry.normal.width <= 0 || geometry.normal.height <= 0) return std::nullopt;
  if (fields[4] != 0 && fields[4] != 1) return std::nullopt;
  return geometry;
}

std::optional<WindowGeometry> RestoredGeometry(core::SettingsStore& settings,
                                               const std::vector<WindowRect>& availableAreas,
                                               int minimumWidth, int minimumHeight) {
  std::optional<WindowGeometry> geometry =
      ParseGeometry(settings.GetSetting(kApplicationTitle, kWindowSection, kGeometryKey, ""));
  if (!geometry) return std::nullopt;
  WindowRect& r = geometry->normal;
  const auto area = std::max_element(
      availableAreas.begin(), availableAreas.end(),
      [&r](const WindowRect& a, const WindowRect& b) { return Overlap(r, a) < Overlap(r, b); });
  if (area == availableAreas.end() || Overlap(r, *area) == 0) return std::nullopt;
  r.width = std::clamp(r.width, std::min(minimumWidth, area->width), area->width);
  r.height = std::clamp(r.height, std::min(minimumHeight, area->height), area->height);
  r.x = Within(r.x, r.width, area->x, area->width);
  r.y = Within(r.y, r.height, area->y, area->height);
  return geometry;
}

void StoreGeometry(core::SettingsStore& settings, const WindowGeometry& geometry) {
  settings.SaveSetting(kApplicationTitle, kWindowSection, kGeometryKey, FormatGeometry(geometry));
}

}  // namespace app
