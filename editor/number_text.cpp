#include "editor/number_text.h"

#include <locale.h>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace qb::editor {
namespace {

bool IsIgnored(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int DigitValue(char16_t c, int radix) {
  int value = -1;
  if (IsDigit(c)) value = c - u'0';
  if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < radix ? value : -1;
}

double RadixInteger(std::u16string_view digits, int radix) {
  double value = 0;
  for (const char16_t c : digits) {
    const int digit = DigitValue(c, radix);
    if (digit < 0) break;
    value = value * radix + digit;
  }
  return value;
}

// Appends the digits at text[i...] to out; returns how many there were.
std::size_t TakeDigits(std::u16string_view text, std::size_t& i, std::string& out) {
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) out += static_cast<char>(text[i++]);
  return i - start;
}

// Reads the decimal number at the start of text (ignored characters already
// removed) into the C form strtod takes, independent of the user's locale.
// Empty when the text does not begin with a number.
std::string DecimalNumberText(std::u16string_view text) {
  std::string out;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) out += static_cast<char>(text[i++]);
  std::size_t digits = TakeDigits(text, i, out);
  if (i < text.size() && text[i] == u'.') {
    out += '.';
    ++i;
    digits += TakeDigits(text, i, out);
  }
  if (digits == 0) return {};
  if (i < text.size() && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) exponent += static_cast<char>(text[j++]);
    // "1E" or "1E+" ends the number before the letter.
    if (TakeDigits(text, j, exponent) > 0) out += exponent;
  }
  return out;
}

double CDecimal(const std::string& text) {
  static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return ::strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

double LeadingNumber(std::u16string_view text) {
  std::u16string compact;
  compact.reserve(text.size());
  for (const char16_t c : text) {
    if (!IsIgnored(c)) compact += c;
  }
  const std::u16string_view rest(compact);
  if (rest.size() >= 2 && rest[0] == u'&') {
    if (rest[1] == u'H' || rest[1] == u'h') return RadixInteger(rest.substr(2), 16);
    if (rest[1] == u'O' || rest[1] == u'o') return RadixInteger(rest.substr(2), 8);
  }
  const std::string decimal = DecimalNumberText(rest);
  return decimal.empty() ? 0.0 : CDecimal(decimal);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double down = std::floor(value);
  const double fraction = value - down;
  if (fraction > 0.5) return down + 1;
  if (fraction < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1;
}

std::int32_t ParsePriceText(std::u16string_view text) {
  const double value = RoundHalfEven(LeadingNumber(text));
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return kMin;
  if (value >= kMax) return kMax;
  return static_cast<std::int32_t>(value);
}

std::int16_t ParsePageCountText(std::u16string_view text) {
  const double value = RoundHalfEven(LeadingNumber(text));
  if (!(value >= 1 && value <= 32767)) return 0;
  return static_cast<std::int16_t>(value);
}

std::u16string DecimalText(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace qb::editor
