// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The double pendulum's numeric core: parameters, derived constants, the elapsed time and the
// state of both arms kept in two alternating slots. Arm A hangs from the fixed pivot, arm B
// from A's bob. The window owns one and keeps it while it is closed.
#pragma once

#include "checkeddouble.h"

#include <array>
#include <cstdint>

struct ArmState {
    CheckedDouble dOmega; // the tick's increment of omega (timeStep times the acceleration)
    CheckedDouble omega;  // angular velocity, radians per time unit
    CheckedDouble dTheta; // the tick's increment of theta (omega times timeStep)
    CheckedDouble theta;  // radians from the downward vertical, positive towards +x
    CheckedDouble x;      // bob position relative to the fixed pivot, world units
    CheckedDouble y;      // likewise, positive downwards
};

// Three slots whose every access tests its index (subscript-out-of-range outside 0..2).
// Only slots 0 and 1 are used; slot 2 stays zero.
class ArmSlots {
public:
    ArmState &operator[](std::int32_t index);
    const ArmState &operator[](std::int32_t index) const;

private:
    std::array<ArmState, 3> m_slots{};
};

// What Run hands the model, by name; angles in degrees. An error names a parameter by its id,
// its member's name, as kDoubleParameterIds lists them.
struct DoubleParameters {
    double lenA, lenB, massA, massB, startAngleA, startAngleB, gravity, timeStep, damping;
};

// The ids of the parameters, with the members they name.
struct DoubleParameterId {
    const char *id;
    double DoubleParameters::*member;
};
inline constexpr DoubleParameterId kDoubleParameterIds[] = {
    {"lenA", &DoubleParameters::lenA},
    {"lenB", &DoubleParameters::lenB},
    {"massA", &DoubleParameters::massA},
    {"massB", &DoubleParameters::massB},
    {"startAngleA", &DoubleParameters::startAngleA},
    {"startAngleB", &DoubleParameters::startAngleB},
    {"gravity", &DoubleParameters::gravity},
    {"timeStep", &DoubleParameters::timeStep},
    {"damping", &DoubleParameters::damping}};

// The parameters of the window's design, as its fields first read (tst_frmdouble's
// stopResumeContinuesExactly holds the two together, to the bit).
inline constexpr DoubleParameters kDoubleDesignParameters{.lenA = 0.1,
                                                          .lenB = 0.1,
                                                          .massA = 0.02,
                                                          .massB = 0.02,
                                                          .startAngleA = 30,
                                                          .startAngleB = 10,
                                                          .gravity = 9.8,
                                                          .timeStep = 0.005,
                                                          .damping = 0.0004};

class DoublePendulum {
public:
    CheckedDouble lenA, lenB, massA, massB, gravity, timeStep, damping;
    CheckedDouble massRatio, gOverLenA, gOverLenB, lenRatio;
    CheckedDouble elapsedTime;
    ArmSlots armA, armB;
    // prevSlot holds the latest complete state, curSlot the one the next tick overwrites.
    std::int16_t curSlot = 0;
    std::int16_t prevSlot = 0;

    // What the window's load does: prevSlot = 1, then curSlot = 0; nothing else.
    void ResetSlots();

    // Stores the parameters, derives the constants and writes the start state, at rest, into
    // slot 1. Resets elapsedTime and the slot indices.
    void InitArms(const DoubleParameters &parameters);

    // elapsedTime <- elapsedTime + timeStep
    void AddTimeStep();

    // Writes slot curSlot of both arms from slot prevSlot, one explicit first-order step:
    //   N    = ((mu sD)(wB^2 lr + wA^2 cD) + gA sA) - (gB mu sB) cD
    //   dwA  = (dt N) / (mu cD^2 - 1)
    //   dwB  = (dt ((wA^2 sD - aA cD) - gB sB)) / lr,   aA = previous dwA / dt
    //   w'   = (dw + w)(1 - damping),   theta' = w' dt + theta
    // with D = thetaA - thetaB, mu = massRatio, lr = lenRatio, gA, gB = gravity over lenA, lenB.
    // Unlike the textbook form, the last term of N uses gB, dwB keeps gravity inside the
    // division by lr, and aA is the previous tick's increment.
    void AdvanceArms();

    // Exchanges curSlot and prevSlot.
    void SwapSlots();
};
