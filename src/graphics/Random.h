#pragma once

#include <cstdint>

namespace velmora {

// The program's one pseudo-random generator: seed := seed x 134775813 + 1 (mod 2^32); a number
// below n is the upper 32 bits of the 64-bit product seed x n. One object is owned by the
// application and handed to the routines that draw numbers; a fresh one starts at seed 0.
class Random {
 public:
  explicit Random(uint32_t seed = 0) noexcept : seed_(seed) {}

  // A number in 0..n-1 (0 when n is 0). Advances the seed first.
  uint32_t Next(uint32_t n) noexcept {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
  }
  uint32_t operator()(uint32_t n) noexcept { return Next(n); }

  uint32_t seed() const noexcept { return seed_; }
  void set_seed(uint32_t seed) noexcept { seed_ = seed; }

 private:
  uint32_t seed_;
};

}  // namespace velmora
