#include "simulator/lamp_plant.h"

#include <algorithm>
#include <cmath>

namespace lec::sim {

namespace {

// Time constants, in seconds.
constexpr double kMotorTau = 0.5;
constexpr double kFanTau = 0.6;
constexpr double kSpinDownTau = 1.5;
constexpr double kLampTau = 0.4;
constexpr double kMatHeatTau = 30.0;
constexpr double kMatFanCoolTau = 45.0;
constexpr double kMatStillCoolTau = 150.0;
constexpr double kShtTau = 90.0;

// Steady magnetron temperature rise per unit of power (100 gives about 67 C),
// holder temperature rise per unit of LPC and from the QTH lamps.
constexpr double kMatRisePerPower = 0.45;
constexpr double kShtRisePerLpc = 0.12;
constexpr double kShtRiseQth = 10.0;

constexpr int kBatteryRaw = 150;  // 3.0 V with the usual factor 2
constexpr int kVccRaw = 125;      // 5.00 V with the usual factor 4
constexpr int kSensorMax = 254;   // 255 would read as "no sensor"

void approach(double& value, double target, double tau, double seconds) {
    value += (target - value) * (1.0 - std::exp(-seconds / tau));
}

}  // namespace

LampPlant::LampPlant(std::uint32_t seed) : random_(seed) {
    sample(PlantDrive{});
}

void LampPlant::advance(const PlantDrive& drive, double seconds) {
    approach(motor_, drive.motor ? drive.motorCode : 0.0, drive.motor ? kMotorTau : kSpinDownTau,
             seconds);
    approach(fanV1_, drive.fans ? kFanV1Code : 0.0, drive.fans ? kFanTau : kSpinDownTau, seconds);
    approach(fanV2_, drive.fans ? kFanV2Code : 0.0, drive.fans ? kFanTau : kSpinDownTau, seconds);
    // The plasma goes out the moment the magnetron stops; it takes a moment to
    // settle at a new power.
    if (drive.lampLpc == 0) {
        lpc_ = 0;
    } else {
        approach(lpc_, drive.lampLpc, kLampTau, seconds);
    }

    if (drive.magnetronPower > 0) {
        approach(mat_, kAmbientC + drive.magnetronPower * kMatRisePerPower, kMatHeatTau, seconds);
    } else {
        approach(mat_, kAmbientC, drive.fans ? kMatFanCoolTau : kMatStillCoolTau, seconds);
    }
    const double shtTarget =
        kAmbientC + drive.lampLpc * kShtRisePerLpc + (drive.qth ? kShtRiseQth : 0.0);
    approach(sht_, shtTarget, kShtTau, seconds);

    sample(drive);
}

int LampPlant::noisy(double value, bool withNoise) {
    // One draw per reading and sample, whether used or not, so that switching
    // a lamp on does not shift the noise of every later reading.
    const int noise = std::uniform_int_distribution<int>(-1, 1)(random_);
    const long rounded = std::lround(value) + (withNoise ? noise : 0);
    return static_cast<int>(std::clamp<long>(rounded, 0, kSensorMax));
}

void LampPlant::sample(const PlantDrive& drive) {
    const bool lit = lpc_ > 1.0;
    const double qth = drive.qth ? 1.0 : 0.0;
    PlantReadings& r = readings_;
    r.mat = noisy(mat_, false);
    r.sht = noisy(sht_, false);
    r.lpc = noisy(lpc_, lit);
    r.lfc = noisy(lpc_ * 0.56, lit);
    r.battery = noisy(kBatteryRaw, false);
    r.vcc = noisy(kVccRaw - (lit ? 1 : 0), true);
    r.vis = noisy(lpc_ * 0.75 + qth * 25.0, lit || drive.qth);
    r.ir = noisy(lpc_ * 0.4 + qth * 90.0, lit || drive.qth);
    r.rh = noisy(120.0 - 1.5 * (sht_ - kAmbientC), true);
    r.tachoM = noisy(motor_, motor_ > 2.0);
    r.tachoV1 = noisy(fanV1_, fanV1_ > 2.0);
    r.tachoV2 = noisy(fanV2_, fanV2_ > 2.0);
}

}  // namespace lec::sim
