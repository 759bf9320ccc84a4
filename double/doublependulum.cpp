// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The double pendulum's start state and step.
#include "doublependulum.h"

#include "angles.h"
#include "runtimeerror.h"
#include "vectorstate.h"

namespace {

void checkSlot(std::int32_t index)
{
    if (index < 0 || index > 2)
        throw RuntimeError(ErrorKind::SubscriptOutOfRange);
}

} // namespace

ArmState &ArmSlots::operator[](std::int32_t index)
{
    checkSlot(index);
    return m_slots[static_cast<std::size_t>(index)];
}

const ArmState &ArmSlots::operator[](std::int32_t index) const
{
    checkSlot(index);
    return m_slots[static_cast<std::size_t>(index)];
}

void DoublePendulum::ResetSlots()
{
    prevSlot = 1;
    curSlot = 0;
}

void DoublePendulum::InitArms(const DoubleParameters &p)
{
    // Every value here comes from the fields, so every fault names the parameters behind it.
    lenA = p.lenA;
    lenB = p.lenB;
    massA = p.massA;
    massB = p.massB;
    armA[1].theta =
        blame({"startAngleA"}, [&p] { return CheckedDouble(p.startAngleA) * kPi / 180.0; });
    armB[1].theta =
        blame({"startAngleB"}, [&p] { return CheckedDouble(p.startAngleB) * kPi / 180.0; });
    gravity = p.gravity;
    timeStep = p.timeStep;
    damping = p.damping;

    massRatio = blame({"massA", "massB"}, [this] { return massB / (massB + massA); });
    // A zero rod is its own fault; a quotient beyond range, the gravity's and the rod's.
    gOverLenA = blame({"gravity", "lenA"}, [this] { return divideBy(gravity, lenA, {"lenA"}); });
    gOverLenB = blame({"gravity", "lenB"}, [this] { return divideBy(gravity, lenB, {"lenB"}); });
    lenRatio = blame({"lenA", "lenB"}, [this] { return lenB / lenA; });

    armA[1].dOmega = 0.0;
    armA[1].omega = 0.0;
    armB[1].dOmega = 0.0;
    armB[1].omega = 0.0;

    blame({"lenA", "lenB"}, [this] {
        armA[1].x = sin(armA[1].theta) * lenA;
        armA[1].y = cos(armA[1].theta) * lenA;
        armB[1].x = sin(armB[1].theta) * lenB + armA[1].x;
        armB[1].y = cos(armB[1].theta) * lenB + armA[1].y;
    });

    elapsedTime = 0.0;
    curSlot = 0;
    prevSlot = 1;
}

void DoublePendulum::AddTimeStep() { elapsedTime = elapsedTime + timeStep; }

PENDULUM_HOT_NUMERICS void DoublePendulum::AdvanceArms()
{
    const std::int32_t p = prevSlot;
    const std::int32_t c = curSlot;

    const CheckedDouble delta = armA[p].theta - armB[p].theta;
    const CheckedDouble cDelta = cos(delta);
    const CheckedDouble sDelta = sin(delta);
    const CheckedDouble sA = sin(armA[p].theta);
    const CheckedDouble sB = sin(armB[p].theta);
    const CheckedDouble wA2 = square(armA[p].omega);
    const CheckedDouble wB2 = square(armB[p].omega);
    const CheckedDouble k = gOverLenB * massRatio;

    const CheckedDouble n =
        ((massRatio * sDelta) * ((wB2 * lenRatio) + (wA2 * cDelta)) + (gOverLenA * sA)) -
        ((k * sB) * cDelta);
    armA[c].dOmega = divideBy(timeStep * n, (massRatio * square(cDelta)) - 1.0, {"massA", "massB"});
    armA[c].omega = (armA[c].dOmega + armA[p].omega) * (1.0 - damping);
    armA[c].dTheta = armA[c].omega * timeStep;
    armA[c].theta = armA[c].dTheta + armA[p].theta;
    armA[c].x = sin(armA[c].theta) * lenA;
    armA[c].y = cos(armA[c].theta) * lenA;

    const CheckedDouble alphaA = divideBy(armA[p].dOmega, timeStep, {"timeStep"});
    armB[c].dOmega = divideBy(timeStep * (((wA2 * sDelta) - (alphaA * cDelta)) - (gOverLenB * sB)),
                              lenRatio, {"lenA", "lenB"});
    armB[c].omega = (armB[c].dOmega + armB[p].omega) * (1.0 - damping);
    armB[c].dTheta = armB[c].omega * timeStep;
    armB[c].theta = armB[c].dTheta + armB[p].theta;
    armB[c].x = sin(armB[c].theta) * lenB + armA[c].x;
    armB[c].y = cos(armB[c].theta) * lenB + armA[c].y;
}

void DoublePendulum::SwapSlots()
{
    const std::int16_t remembered = curSlot;
    curSlot = prevSlot;
    prevSlot = remembered;
}
