// The splash's loading: read the branding, style the company label, show the logo.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/branding.h"
#include "core/host.h"

namespace app {

inline constexpr const char* kApplicationTitle = "Ventrel";
inline constexpr int kSplashMilliseconds = 4000;
// Point sizes the company label can be drawn at.
inline constexpr double kMinLabelPoints = 1;
inline constexpr double kMaxLabelPoints = 500;

// What the splash's loading needs of the splash window.
class SplashView {
 public:
  virtual ~SplashView() = default;
  // An empty font name keeps the designed font.
  virtual void SetCompanyLabel(const std::string& text, const std::string& fontName, bool bold,
                               bool italic) = 0;
  virtual void SetCompanyLabelPointSize(double points) = 0;
  // Loads the picture; the reason when it cannot ("missing", "not a picture").
  virtual std::optional<std::string> ShowLogo(const std::filesystem::path& picture) = 0;
  virtual void SetApplicationTitle(const std::string& title) = 0;
};

// Fills branding from Ventrel.cfg in the program folder (or the built-in values) and
// styles the splash; failures go to the error prompt, and Abort skips what is left.
void LoadSplash(const std::filesystem::path& programFolder, Branding& branding, SplashView& view,
                core::Host& host);

}  // namespace app
