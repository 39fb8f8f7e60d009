// A rendered sound: 44.1 kHz float samples, mono or stereo, plus the
// deterministic noise source every recipe draws from.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bm::snd {

inline constexpr int kRate = 44100;
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

inline std::size_t Frames(double seconds) { return seconds <= 0 ? 0 : std::size_t(seconds * kRate + 0.5); }

struct Sound {
  std::vector<float> left;
  std::vector<float> right;  // empty for a mono sound

  static Sound Mono(double seconds) { return Sound{std::vector<float>(Frames(seconds), 0.0f), {}}; }
  static Sound Stereo(double seconds) {
    return Sound{std::vector<float>(Frames(seconds), 0.0f), std::vector<float>(Frames(seconds), 0.0f)};
  }
  bool IsStereo() const { return !right.empty(); }
  std::size_t FrameCount() const { return left.size(); }
  double Seconds() const { return double(left.size()) / kRate; }
  void Resize(std::size_t frames) {
    left.resize(frames, 0.0f);
    if (IsStereo()) right.resize(frames, 0.0f);
  }
};

// xorshift64* noise; seeded from a name so every file comes out the same on every run.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x2545F4914F6CDD1Dull) {}
  explicit Noise(const std::string& name) : Noise(Hash(name)) {}

  double Uniform() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return double((state_ * 2685821657736338717ull) >> 11) * (1.0 / 9007199254740992.0);
  }
  double White() { return 2.0 * Uniform() - 1.0; }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Below(int n) { return n <= 0 ? 0 : int(Uniform() * n); }

  static std::uint64_t Hash(const std::string& text) {
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : text) {
      h ^= c;
      h *= 1099511628211ull;
    }
    return h;
  }

 private:
  std::uint64_t state_;
};

}  // namespace bm::snd
