#include "io/Bytes.h"

#include <cstring>

namespace bm {

std::uint64_t DoubleBits(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

double DoubleFromBits(std::uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

void ByteWriter::Le(std::uint64_t v, int width) {
  for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void ByteWriter::F64(double v) { Le(DoubleBits(v), 8); }

void ByteWriter::Text(std::string_view text) {
  // Callers keep texts short; a longer one is cut rather than wrapped around.
  if (text.size() > 0xFFFF) text = text.substr(0, 0xFFFF);
  Le(text.size(), 2);
  bytes_.append(text);
}

void ByteWriter::FixedText(std::string_view text, std::size_t width) {
  // Cut to the width in bytes, never inside a UTF-8 character (before its continuation bytes).
  if (text.size() > width) {
    std::size_t cut = width;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text = text.substr(0, cut);
  }
  bytes_.append(text);
  bytes_.append(width - text.size(), ' ');
}

void ByteReader::Fail(const std::string& why) {
  if (error_.empty()) error_ = why;
}

bool ByteReader::Need(std::size_t n, const char* what) {
  if (!ok()) return false;
  if (bytes_.size() - pos_ < n) {
    Fail(std::string("ends inside a ") + what + " at byte " + std::to_string(pos_) + " (" +
         std::to_string(bytes_.size()) + " bytes in all)");
    return false;
  }
  return true;
}

std::uint64_t ByteReader::Le(int width, const char* what) {
  if (!Need(std::size_t(width), what)) return 0;
  std::uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes_[pos_ + std::size_t(i)]);
  pos_ += std::size_t(width);
  return v;
}

double ByteReader::F64() { return DoubleFromBits(Le(8, "double")); }

void ByteReader::Raw(void* out, std::size_t n) {
  if (!Need(n, "block")) {
    std::memset(out, 0, n);
    return;
  }
  std::memcpy(out, bytes_.data() + pos_, n);
  pos_ += n;
}

std::string ByteReader::Text(std::size_t maxLength, const char* what) {
  const std::size_t at = pos_;
  const std::size_t n = std::size_t(Le(2, "text length"));
  if (!ok()) return {};
  if (n > maxLength) {
    Fail(std::string(what) + " length " + std::to_string(n) + " at byte " + std::to_string(at) + " is above " +
         std::to_string(maxLength));
    return {};
  }
  if (!Need(n, what)) return {};
  std::string s(bytes_.substr(pos_, n));
  pos_ += n;
  return s;
}

std::string ByteReader::FixedText(std::size_t width) {
  if (!Need(width, "fixed text")) return {};
  std::string s(bytes_.substr(pos_, width));
  pos_ += width;
  return s;
}

void ByteReader::ExpectEnd() {
  if (ok() && pos_ != bytes_.size())
    Fail(std::to_string(bytes_.size() - pos_) + " bytes too many after byte " + std::to_string(pos_));
}

}  // namespace bm
