#pragma once

#include <cstdint>
#include <random>

namespace qm720::sim {

// A seeded source of small random numbers. The mapping from the engine's output is done here
// rather than by the standard distributions, whose results differ between libraries: one seed
// gives the same run everywhere.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : engine_(seed) {}

    // A whole number in [-amplitude, amplitude].
    std::int64_t offset(std::uint32_t amplitude);
    // A whole number in [low, high].
    std::uint32_t between(std::uint32_t low, std::uint32_t high);
    std::uint8_t byte();

  private:
    std::mt19937 engine_;
};

}  // namespace qm720::sim
