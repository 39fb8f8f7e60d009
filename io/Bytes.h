// Little-endian byte building and bounded reading for the binary save files.
// The reader never reads past its buffer: the first short read or bad length
// stops it, and every later read returns zeros, so a decoder can read a whole
// record and check ok() once at the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <array>

namespace bm {

// A double's bits and back, as std::bit_cast would (the browser build's
// standard library does not have it yet).
std::uint64_t DoubleBits(double v);
double DoubleFromBits(std::uint64_t bits);

class ByteWriter {
 public:
  void I16(std::int16_t v) { Le(static_cast<std::uint16_t>(v), 2); }
  void I32(std::int32_t v) { Le(static_cast<std::uint32_t>(v), 4); }
  void F64(double v);
  void Raw(const void* data, std::size_t n) { bytes_.append(static_cast<const char*>(data), n); }
  // A 16-bit length followed by the text's bytes.
  void Text(std::string_view text);
  // Exactly width bytes: the text padded with blanks (cut when longer, never
  // inside a UTF-8 character).
  void FixedText(std::string_view text, std::size_t width);
  // One name for every field, so a record's writer and reader can share one
  // field list (see Fields templates in the codecs) and never drift apart.
  void Field(std::int16_t v) { I16(v); }
  void Field(std::int32_t v) { I32(v); }
  void Field(double v) { F64(v); }
  template <class T, std::size_t N>
  void Field(const std::array<T, N>& a) {
    for (const T& v : a) Field(v);
  }
  void Text(const std::string& text, std::size_t /*maxLength*/, const char* /*what*/) { Text(std::string_view(text)); }
  const std::string& Bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  void Le(std::uint64_t v, int width);
  std::string bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::int16_t I16() { return static_cast<std::int16_t>(Le(2, "16-bit value")); }
  std::int32_t I32() { return static_cast<std::int32_t>(Le(4, "32-bit value")); }
  double F64();
  // Copies n bytes to out (zeros after a failure).
  void Raw(void* out, std::size_t n);
  // A 16-bit length and its characters; a length above maxLength fails the read
  // without touching the bytes, so a hostile length never allocates.
  std::string Text(std::size_t maxLength, const char* what);
  std::string FixedText(std::size_t width);

  // The reading twins of ByteWriter::Field and ByteWriter::Text.
  void Field(std::int16_t& v) { v = I16(); }
  void Field(std::int32_t& v) { v = I32(); }
  void Field(double& v) { v = F64(); }
  template <class T, std::size_t N>
  void Field(std::array<T, N>& a) {
    for (T& v : a) Field(v);
  }
  void Text(std::string& out, std::size_t maxLength, const char* what) { out = Text(maxLength, what); }

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  std::size_t offset() const { return pos_; }
  std::size_t remaining() const { return ok() ? bytes_.size() - pos_ : 0; }
  // Fails unless every byte has been read.
  void ExpectEnd();
  void Fail(const std::string& why);

 private:
  std::uint64_t Le(int width, const char* what);
  bool Need(std::size_t n, const char* what);
  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace bm
