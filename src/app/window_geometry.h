// The main window's size and position, remembered for the user between runs and fitted
// to the screens there are at the next start.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"

namespace app {

inline constexpr const char* kWindowSection = "Main Window";
inline constexpr const char* kGeometryKey = "Geometry";

// In the desktop's device-independent pixels.
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

struct WindowGeometry {
  // The size and place the window has when it is not maximized.
  WindowRect normal;
  bool maximized = false;
  bool operator==(const WindowGeometry&) const = default;
};

// "x,y,width,height,maximized" with maximized 0 or 1.
std::string FormatGeometry(const WindowGeometry& geometry);
// Nothing for text that is not five whole numbers of that form with a positive size.
std::optional<WindowGeometry> ParseGeometry(std::string_view text);

// The geometry stored for the user, on the screen area it overlaps most (available areas,
// without panels), no larger than that area and no smaller than minimum (itself bounded by
// the area), moved wholly inside it. Nothing when none is stored, the text is unusable or
// the window would lie on no screen: the window then keeps its default place.
std::optional<WindowGeometry> RestoredGeometry(core::SettingsStore& settings,
                                               const std::vector<WindowRect>& availableAreas,
                                               int minimumWidth, int minimumHeight);

void StoreGeometry(core::SettingsStore& settings, const WindowGeometry& geometry);

}  // namespace app
