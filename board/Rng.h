// The game's one uniform random generator, seeded once; injected so that a seed
// reproduces a game exactly.
#pragma once
#include <cstdint>

namespace bm {

class Rng {
 public:
  explicit Rng(std::uint64_t seed = 1) { Seed(seed); }
  void Seed(std::uint64_t seed) {
    state_ = seed ^ 0x9E3779B97F4A7C15ull;
    if (state_ == 0) state_ = 1;
  }
  // A double in [0, 1).
  double Next() {
    // xorshift64*: fast, and good enough for shuffling jewels.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    std::uint64_t r = state_ * 2685821657736338717ull;
    return double(r >> 11) * (1.0 / 9007199254740992.0);
  }
  // 0 .. n-1, as the integer part of random x n.
  int Below(int n) { return n <= 0 ? 0 : int(Next() * n); }
  std::uint64_t State() const { return state_; }

 private:
  std::uint64_t state_ = 1;
};

}  // namespace bm
