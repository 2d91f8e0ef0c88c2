// The unit's own random numbers and the slow wander of its simulated signals.
// Scaled by hand from raw std::mt19937 draws, because std:: distributions
// differ between standard libraries and a random start must mean the same anywhere.
#pragma once

#include <cstdint>
#include <random>

namespace zat::sim {

class Random {
public:
    explicit Random(std::uint32_t randomStart) : engine_(randomStart) {}
    double uniform();                         // [0, 1)
    double between(double low, double high);  // [low, high)

private:
    std::mt19937 engine_;
};

// One step of a random walk that is pulled back toward `centre` (halfway in
// about a minute), with noise of about `spread` per square-root second, kept
// inside low..high.
struct Wander {
    double centre;
    double spread;
    double low;
    double high;
    double step(double value, double seconds, Random& random) const;
};

}  // namespace zat::sim
