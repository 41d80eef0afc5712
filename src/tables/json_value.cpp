#include "tables/json_value.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>

#include "core/text.h"

namespace tables {

namespace {

// Our templates nest three levels; anything far deeper is not a template.
constexpr int kMaxDepth = 32;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipBlanks();
    if (at_ != text_.size()) Fail("unexpected text after the end of the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at_ && i < text_.size(); ++i) {
      if (text_[i] == '\n') ++line;
    }
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
  }

  void SkipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n')) {
      ++at_;
    }
  }

  char Peek() {
    SkipBlanks();
    if (at_ == text_.size()) Fail("the document ends too early");
    return text_[at_];
  }

  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++at_;
  }

  bool TakeWord(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxDepth) Fail("nested too deeply");
    const char c = Peek();
    if (c == '{') return JsonValue(ObjectValue(depth));
    if (c == '[') return JsonValue(ArrayValue(depth));
    if (c == '"') return JsonValue(StringValue());
    if (TakeWord("true")) return JsonValue(true);
    if (TakeWord("false")) return JsonValue(false);
    if (TakeWord("null")) return JsonValue();
    return JsonValue(NumberValue());
  }

  JsonValue::Object ObjectValue(int depth) {
    Expect('{');
    JsonValue::Object object;
    if (Peek() == '}') {
      ++at_;
      return object;
    }
    for (;;) {
      if (Peek() != '"') Fail("expected a member name in double quotes");
      std::string name = StringValue();
      Expect(':');
      object.insert_or_assign(std::move(name), Value(depth + 1));
      if (Peek() == ',') {
        ++at_;
        continue;
      }
      Expect('}');
      return object;
    }
  }

  JsonValue::Array ArrayValue(int depth) {
    Expect('[');
    JsonValue::Array array;
    if (Peek() == ']') {
      ++at_;
      return array;
    }
    for (;;) {
      array.push_back(Value(depth + 1));
      if (Peek() == ',') {
        ++at_;
        continue;
      }
      Expect(']');
      return array;
    }
  }

  std::string StringValue() {
    Expect('"');
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character inside a string");
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (at_ == text_.size()) break;
      const char escape = text_[at_++];
      switch (escape) {
        case '"':
        case '\\':
        case '/':
          out.push_back(escape);
          break;
        case 'n':
          out.push_back('\n');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'f':
          out.push_back('\f');
          break;
        case 'u': {
          std::uint32_t code = 0;
          const auto hex = text_.substr(at_, 4);
          const auto parsed = std::from_chars(hex.data(), hex.data() + hex.size(), code, 16);
          if (hex.size() != 4 || parsed.ptr != hex.data() + hex.size()) Fail("a bad \\u escape");
          at_ += 4;
          core::AppendUtf8(out, code);
          break;
        }
        default:
          Fail("an unknown escape in a string");
      }
    }
    if (at_ == text_.size()) Fail("a string is not closed");
    ++at_;
    return out;
  }

  double NumberValue() {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    while (at_ < text_.size() &&
           std::string_view("0123456789.eE+-").find(text_[at_]) != std::string_view::npos) {
      ++at_;
    }
    double value = 0;
    const char* first = text_.data() + start;
    const char* last = text_.data() + at_;
    const auto parsed = std::from_chars(first, last, value);
    if (at_ == start || parsed.ec != std::errc() || parsed.ptr != last) {
      at_ = start;
      Fail("expected a value (an object, array, string, number, true, false or null)");
    }
    return value;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

JsonValue ParseJson(std::string_view text) { return Parser(text).Document(); }

}  // namespace tables
