#pragma once

#include <cstdint>

// The FADEC's start-up programme: the step numbers it reports in status slot 5
// while it walks phases 1 to 4 towards the lit phase 5, and how long each step
// lasts. The step numbers are those the start-up trace decodes; the three
// ignition timings stretch phases 2, 3 and 4.
namespace lec::sim::start_program {

// Parameter rows 18, 19, 20: generator start delay, ramp-up time, lamp start
// time, each counted in program ticks.
struct Timings {
    int z1 = 50;
    int z2 = 20;
    int z3 = 15;
};

// The programme runs on a tick of 100 ms; z1 = 50 is a five-second delay.
inline constexpr int kTickMs = 100;

inline constexpr int kStartStep = 1;
inline constexpr int kMotorStartStep = 3;
inline constexpr int kMotorTestStep = 6;
inline constexpr int kFanStartStep = 7;
// At this step a magnetron still at kMaxStartMatC or warmer sends the
// programme back to kFanStartStep to cool down first.
inline constexpr int kMatCheckStep = 12;
inline constexpr int kMaxStartMatC = 55;
inline constexpr int kPhase2Step = 14;
inline constexpr int kMagnetronOnStep = 15;

constexpr int phase3Step(const Timings& t) {
    return t.z1 + 14;
}
constexpr int phase4Step(const Timings& t) {
    return t.z1 + t.z2 + 15;
}
constexpr int phase5Step(const Timings& t) {
    return t.z1 + t.z2 + t.z3 + 16;
}

// The phase (1..5) a programme step belongs to; 0 for a step outside it.
int phaseOfStep(int step, const Timings& t);

// How many ticks the programme stays on `step`. Steps that do something
// visible (spinning up the motor and fans, a phase change, the magnetron
// switched on, the light checks) last half a second or more, long enough for
// the PC to see them in a status frame and for its 330 ms trace to list them;
// the counted waiting steps of phases 2 to 4 last one tick each.
int stepTicks(int step, const Timings& t);

// From the start order to the first step of phase 5, when the magnetron is
// cool enough not to loop back.
std::int64_t startDurationMs(const Timings& t);

}  // namespace lec::sim::start_program
