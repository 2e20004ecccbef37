#pragma once

#include <cstdint>
#include <random>

// The hardware behind a FADEC as its sensors see it: a magnetron that warms
// up, a plasma lamp whose light follows the power, QTH lamps, the bulb motor
// and two fans that take a moment to come up to speed. Coarse first-order
// responses with a little seeded noise: plausible numbers, replayed exactly.
namespace lec::sim {

struct PlantDrive {
    bool motor = false;
    bool fans = false;
    int motorCode = 84;      // motor set-point, units of 30 rpm
    int magnetronPower = 0;  // 0 = off; otherwise the power level (set-point units)
    int lampLpc = 0;         // the LPC reading the regulation holds the lamp at; 0 = dark
    bool qth = false;
};

// Raw bytes as the FADEC's converters deliver them. None of them reaches 255,
// which the PC reads as "no sensor".
struct PlantReadings {
    int mat = 0;  // magnetron anode, whole degrees C
    int sht = 0;  // sample holder, whole degrees C
    int lpc = 0;
    int lfc = 0;
    int battery = 0;
    int vcc = 0;
    int vis = 0;
    int ir = 0;
    int rh = 0;
    int tachoM = 0;  // units of 30 rpm
    int tachoV1 = 0;
    int tachoV2 = 0;
};

class LampPlant {
public:
    static constexpr double kAmbientC = 22.0;
    // Fan speeds at full drive, units of 30 rpm.
    static constexpr int kFanV1Code = 100;
    static constexpr int kFanV2Code = 97;

    explicit LampPlant(std::uint32_t seed);

    // Moves the plant on by `seconds` under `drive`, then samples the sensors
    // (0 seconds: only what changes at once, such as the lamp going dark).
    void advance(const PlantDrive& drive, double seconds);

    const PlantReadings& readings() const { return readings_; }
    double matC() const { return mat_; }

private:
    int noisy(double value, bool withNoise);
    void sample(const PlantDrive& drive);

    std::mt19937 random_;
    double mat_ = kAmbientC;
    double sht_ = kAmbientC;
    double lpc_ = 0;
    double motor_ = 0;
    double fanV1_ = 0;
    double fanV2_ = 0;
    PlantReadings readings_;
};

}  // namespace lec::sim
