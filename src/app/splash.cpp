#include "app/splash.h"

#include <system_error>

#include "core/error_prompt.h"
#include "core/failure.h"
#include "core/text.h"

namespace app {

namespace {

constexpr const char* kNoLogo = "NULL";

// Fails with "<file>, line N: <what>", or "<What>" for the built-in values.
[[noreturn]] void FailAt(const std::string& where, std::string what) {
  if (where.empty() && !what.empty()) what.front() = core::ToUpperAscii(what.substr(0, 1)).front();
  throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen, where + what);
}

void ReadBranding(const std::filesystem::path& programFolder, Branding& branding) {
  const std::filesystem::path path = programFolder / kBrandingFileName;
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    ReadBrandingFile(path, branding);
  } else {
    branding = BuiltInBranding();
  }
}

void StyleCompanyLabel(const Branding& branding, SplashView& view) {
  const std::string words = Item(branding.BrandingStyle, kStyleFontWords);
  view.SetCompanyLabel(Item(branding.BrandingStyle, kStyleCompanyLabel),
                       Item(branding.BrandingStyle, kStyleFontName),
                       core::ContainsIgnoringCase(words, "bold"),
                       core::ContainsIgnoringCase(words, "italic"));
}

void SizeCompanyLabel(const Branding& branding, SplashView& view) {
  // A missing size line was already reported with the style block; keep the design size.
  if (branding.BrandingStyle.size() < kStyleFontSize) return;
  const std::string text = Item(branding.BrandingStyle, kStyleFontSize);
  const double points = core::LeadingNumber(text);
  if (!(points >= kMinLabelPoints && points <= kMaxLabelPoints)) {
    FailAt(WhereStyleItem(branding, kStyleFontSize),
           "the font size \"" + text + "\" cannot be used; give a number of points from 1 to 500.");
  }
  view.SetCompanyLabelPointSize(points);
}

void ShowLogo(const std::filesystem::path& programFolder, const Branding& branding,
              SplashView& view) {
  if (branding.BrandingStyle.size() < kStyleLogoFile) return;
  const std::string file = Item(branding.BrandingStyle, kStyleLogoFile);
  if (core::ToUpperAscii(file) == kNoLogo) return;
  const std::filesystem::path picture = programFolder / file;
  if (const auto reason = view.ShowLogo(picture)) {
    FailAt(WhereStyleItem(branding, kStyleLogoFile),
           "the logo picture " + picture.string() + " " + *reason + ".");
  }
}

}  // namespace

void LoadSplash(const std::filesystem::path& programFolder, Branding& branding, SplashView& view,
                core::Host& host) {
  core::RunSteps(host, {
                           [&] { ReadBranding(programFolder, branding); },
                           [&] { StyleCompanyLabel(branding, view); },
                           [&] { SizeCompanyLabel(branding, view); },
                           [&] { ShowLogo(programFolder, branding, view); },
                           [&] { view.SetApplicationTitle(kApplicationTitle); },
                       });
}

}  // namespace app
