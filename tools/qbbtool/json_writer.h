#pragma once
// A small writer for one JSON object, enough for machine-readable reports.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qbbtool {

// A JSON string literal for UTF-8 text; control characters are escaped.
std::string JsonString(std::string_view utf8);

class JsonObject {
 public:
  JsonObject& Add(std::string_view key, std::string_view utf8Text);
  JsonObject& Add(std::string_view key, std::int64_t number);
  // A value already in JSON form (an array or nested object).
  JsonObject& AddRaw(std::string_view key, std::string_view json);
  std::string Str() const { return "{" + body_ + "}"; }

 private:
  void Key(std::string_view key);
  std::string body_;
};

}  // namespace qbbtool
