#include "simulator/start_program.h"

#include <array>

namespace lec::sim::start_program {

namespace {

constexpr int kLastPhase1Step = 13;
constexpr int kShortTicks = 1;
constexpr int kVisibleTicks = 5;  // half a second
constexpr int kSpinUpTicks = 15;  // the motor or the fans come up to speed

bool isVisibleStep(int step, const Timings& t) {
    const std::array<int, 9> visible = {
        kPhase2Step,       kMagnetronOnStep,  phase3Step(t),     phase3Step(t) + 1, phase4Step(t),
        phase4Step(t) + 1, phase4Step(t) + 2, phase4Step(t) + 3, phase4Step(t) + 4,
    };
    for (const int v : visible) {
        if (step == v) {
            return true;
        }
    }
    return false;
}

}  // namespace

int phaseOfStep(int step, const Timings& t) {
    if (step >= kStartStep && step <= kLastPhase1Step) {
        return 1;
    }
    if (step >= kPhase2Step && step < phase3Step(t)) {
        return 2;
    }
    if (step >= phase3Step(t) && step < phase4Step(t)) {
        return 3;
    }
    if (step >= phase4Step(t) && step < phase5Step(t)) {
        return 4;
    }
    return step == phase5Step(t) ? 5 : 0;
}

int stepTicks(int step, const Timings& t) {
    if (step == kMotorStartStep || step == kFanStartStep) {
        return kSpinUpTicks;
    }
    if (phaseOfStep(step, t) == 1 || isVisibleStep(step, t)) {
        return kVisibleTicks;
    }
    return kShortTicks;
}

std::int64_t startDurationMs(const Timings& t) {
    std::int64_t ticks = 0;
    for (int step = kStartStep; step < phase5Step(t); ++step) {
        ticks += stepTicks(step, t);
    }
    return ticks * kTickMs;
}

}  // namespace lec::sim::start_program
