#include "common/cp932_losses.h"

#include "common/cp932.h"

namespace qb::cp932 {
namespace {

// The length in units of the character at pos: 2 for a surrogate pair.
std::size_t CharacterLength(std::u16string_view text, std::size_t pos) {
  const bool high = text[pos] >= 0xD800 && text[pos] <= 0xDBFF;
  const bool pairEnds = pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF;
  return high && pairEnds ? 2 : 1;
}

bool Contains(std::u16string_view characters, std::u16string_view character) {
  for (std::size_t i = 0; i < characters.size(); i += CharacterLength(characters, i)) {
    if (characters.substr(i, CharacterLength(characters, i)) == character) return true;
  }
  return false;
}

}  // namespace

std::u16string LostCharacters(std::u16string_view text) {
  std::u16string lost;
  for (std::size_t i = 0; i < text.size();) {
    // The codec converts one unit at a time, so each character is checked alone.
    const std::u16string_view character = text.substr(i, CharacterLength(text, i));
    i += character.size();
    if (Decode(Encode(character)) != character && !Contains(lost, character)) lost += character;
  }
  return lost;
}

bool HoldsExactly(std::u16string_view text) { return Decode(Encode(text)) == text; }

}  // namespace qb::cp932
