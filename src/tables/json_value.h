// A small JSON reader for our own template files: objects, arrays, strings, numbers,
// true, false and null.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tables {

class JsonValue {
 public:
  using Object = std::map<std::string, JsonValue, std::less<>>;
  using Array = std::vector<JsonValue>;

  JsonValue() = default;
  explicit JsonValue(bool b) : value_(b) {}
  explicit JsonValue(double d) : value_(d) {}
  explicit JsonValue(std::string s) : value_(std::move(s)) {}
  explicit JsonValue(Array a) : value_(std::move(a)) {}
  explicit JsonValue(Object o) : value_(std::move(o)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
  const bool* AsBool() const { return std::get_if<bool>(&value_); }
  const double* AsNumber() const { return std::get_if<double>(&value_); }
  const std::string* AsString() const { return std::get_if<std::string>(&value_); }
  const Array* AsArray() const { return std::get_if<Array>(&value_); }
  const Object* AsObject() const { return std::get_if<Object>(&value_); }

 private:
  std::variant<std::monostate, bool, double, std::string, Array, Object> value_;
};

// Throws std::runtime_error with the line of the fault.
JsonValue ParseJson(std::string_view text);

}  // namespace tables
