// UTF-8, the encoding of every text the game shows (the catalogues' too).
#pragma once
#include <string>
#include <string_view>

namespace bm {

inline constexpr char32_t kBadCharacter = 0xFFFD;

// The character at s[at], moving at past it. A byte that does not start a whole,
// shortest-form sequence of a character up to U+10FFFF (no surrogates) gives
// kBadCharacter and moves one byte.
char32_t NextCharacter(std::string_view s, std::size_t& at);

std::u32string DecodeUtf8(std::string_view s);
std::string EncodeUtf8(char32_t c);

}  // namespace bm
