#include "tables/chart_template.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "tables/json_value.h"

namespace tables {

namespace {

// A template is a few hundred bytes; a file far bigger is the wrong file.
constexpr std::uintmax_t kMaxTemplateBytes = std::uintmax_t{64} * 1024;
constexpr double kMaxAngle = 180;
constexpr double kMinZoom = 10;
constexpr double kMaxZoom = 500;
constexpr std::size_t kColourTextLength = 7;  // "#rrggbb"

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

const JsonValue& Member(const JsonValue::Object& object, std::string_view name,
                        std::string_view where) {
  const auto found = object.find(name);
  if (found == object.end()) Fail(std::string(where) + "\"" + std::string(name) + "\" is missing");
  return found->second;
}

std::string Path(std::string_view where, std::string_view name) {
  return std::string(where) + "\"" + std::string(name) + "\"";
}

const JsonValue::Object& ObjectMember(const JsonValue::Object& object, std::string_view name) {
  const JsonValue::Object* member = Member(object, name, "").AsObject();
  if (!member) Fail(Path("", name) + " must be an object");
  return *member;
}

std::string StringMember(const JsonValue::Object& object, std::string_view name,
                         std::string_view where = "") {
  const std::string* member = Member(object, name, where).AsString();
  if (!member) Fail(Path(where, name) + " must be a string");
  return *member;
}

double NumberMember(const JsonValue::Object& object, std::string_view name, double lowest,
                    double highest, std::string_view where = "") {
  const double* member = Member(object, name, where).AsNumber();
  if (!member) Fail(Path(where, name) + " must be a number");
  if (!(*member >= lowest && *member <= highest)) {
    std::ostringstream range;
    range << Path(where, name) << " must lie between " << lowest << " and " << highest;
    Fail(range.str());
  }
  return *member;
}

ChartAxis AxisMember(const JsonValue::Object& object, std::string_view name) {
  const JsonValue::Object& axis = ObjectMember(object, name);
  const std::string where = Path("", name) + ": ";
  constexpr double kLimit = 1e6;
  ChartAxis result{StringMember(axis, "title", where),
                   NumberMember(axis, "min", -kLimit, kLimit, where),
                   NumberMember(axis, "max", -kLimit, kLimit, where)};
  if (!(result.min < result.max)) Fail(where + "\"min\" must be below \"max\"");
  return result;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Colour ParseColour(const std::string& text, std::string_view where) {
  Colour colour;
  std::uint8_t* parts[] = {&colour.red, &colour.green, &colour.blue};
  bool good = text.size() == kColourTextLength && text.front() == '#';
  for (std::size_t i = 0; good && i < 3; ++i) {
    const int high = HexDigit(text[1 + 2 * i]);
    const int low = HexDigit(text[2 + 2 * i]);
    good = high >= 0 && low >= 0;
    if (good) *parts[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  if (!good) Fail(std::string(where) + "colour \"" + text + "\" must be written #rrggbb");
  return colour;
}

std::vector<GradientStop> GradientMember(const JsonValue::Object& object) {
  const JsonValue::Array* stops = Member(object, "gradient", "").AsArray();
  if (!stops || stops->empty())
    Fail("\"gradient\" must be a list of [position, \"#rrggbb\"] stops");
  std::vector<GradientStop> gradient;
  for (std::size_t i = 0; i < stops->size(); ++i) {
    const std::string where = "\"gradient\" stop " + std::to_string(i + 1) + ": ";
    const JsonValue::Array* stop = (*stops)[i].AsArray();
    const double* position = stop && stop->size() == 2 ? (*stop)[0].AsNumber() : nullptr;
    const std::string* colour = stop && stop->size() == 2 ? (*stop)[1].AsString() : nullptr;
    if (!position || !colour) Fail(where + "must be [position, \"#rrggbb\"]");
    if (!(*position >= 0 && *position <= 1)) Fail(where + "the position must lie between 0 and 1");
    if (!gradient.empty() && *position < gradient.back().position) {
      Fail(where + "the positions must rise from stop to stop");
    }
    gradient.push_back({*position, ParseColour(*colour, where)});
  }
  return gradient;
}

}  // namespace

std::string_view ChartTemplateFileName(TableKind kind, bool jxLayout) {
  if (kind == TableKind::Fuel) {
    return jxLayout ? "Quillon_JX_CylTrim_Chart.oc3" : "Quillon_CylTrim_Chart.oc3";
  }
  return jxLayout ? "Quillon_JX_Retard_Chart.oc3" : "Quillon_Retard_Chart.oc3";
}

ChartTemplate ParseChartTemplate(std::string_view text) {
  const JsonValue document = ParseJson(text);
  const JsonValue::Object* root = document.AsObject();
  if (!root) Fail("the template must be a JSON object");
  ChartTemplate result;
  result.title = StringMember(*root, "title");
  result.rpmAxis = AxisMember(*root, "rpmAxis");
  result.tpsAxis = AxisMember(*root, "tpsAxis");
  result.valueAxis = AxisMember(*root, "valueAxis");
  result.gradient = GradientMember(*root);
  const JsonValue::Object& camera = ObjectMember(*root, "camera");
  result.cameraHorizontal =
      NumberMember(camera, "horizontal", -kMaxAngle, kMaxAngle, "\"camera\": ");
  result.cameraVertical =
      NumberMember(camera, "vertical", -kMaxAngle / 2, kMaxAngle / 2, "\"camera\": ");
  result.cameraZoom = NumberMember(camera, "zoom", kMinZoom, kMaxZoom, "\"camera\": ");
  return result;
}

ChartTemplate ReadChartTemplate(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) Fail(path.string() + " is a folder");
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) Fail(path.string() + ": " + error.message());
  if (size > kMaxTemplateBytes) {
    Fail(path.string() + " is " + std::to_string(size) +
         " bytes long; a chart template is a "
         "short JSON text");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path.string() + ": " + std::generic_category().message(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) Fail(path.string() + ": the file cannot be read");
  try {
    return ParseChartTemplate(content.str());
  } catch (const std::runtime_error& e) {
    Fail(path.string() + ", " + e.what());
  }
}

}  // namespace tables
