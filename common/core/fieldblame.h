// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Which fields a run-time error in a swing follows from. An extreme field value often fails
// only some ticks after Run (a rod of 1e-320 at the first division, a time step of 1e200 once
// the swing has a speed to multiply, a mass of 0 a few dozen ticks on), where the failing
// operation names no field. The error is then laid to the fields' values: the swing is stepped
// again from its start up to the failing tick with some fields at their design values, the most
// extreme first (the farthest from their design values, in orders of magnitude); the fewest
// whose design values let it step through are to blame, the most extreme named first. A field
// at its design value is never blamed. An error no such replay avoids comes from the swing's
// own growth and names no field.
#pragma once

#include "runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

// How far into a swing an error is still laid to the fields: the replays step the swing again
// up to the failing tick, and this bounds the time they take (an error takes at most three
// replays a field less one, 26 for the double pendulum's nine; docs/performance.md has what
// they cost).
constexpr long kReplayTicks = 10'000;

// A field under suspicion: its name as the dialog gives it, its value and its design value.
struct Suspect {
    std::string field;
    double value;
    double design;
};

// Steps the swing again from its start up to the failing tick with the suspects of the given
// indexes at their design values, raising what it raises.
using Replay = std::function<void(const std::vector<std::size_t> &atDesign)>;

// How far a value lies from its design value: orders of magnitude, one more across zero, and
// without bound for a zero where the design has none, or the other way round.
inline double extremeness(const Suspect &suspect)
{
    const double value = std::fabs(suspect.value), design = std::fabs(suspect.design);
    if (suspect.value == suspect.design)
        return 0.0;
    if (value == 0.0 || design == 0.0 || !std::isfinite(value))
        return std::numeric_limits<double>::infinity();
    const double signs = (suspect.value < 0.0) != (suspect.design < 0.0) ? 1.0 : 0.0;
    return std::fabs(std::log10(value / design)) + signs;
}

// Whether the replay steps through with these suspects at their design values.
inline bool rescues(const Replay &replay, const std::vector<std::size_t> &atDesign)
{
    try {
        replay(atDesign);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

// The fields to blame: the fewest of the suspects, most extreme first, whose design values
// together let the replay step through; then any other about as extreme (half as many orders
// of magnitude or more) whose design value alone does, so that two extreme fields are both
// named. None when no set of them lets the replay through.
inline std::vector<std::string> fieldsToBlame(const std::vector<Suspect> &suspects,
                                              const Replay &replay)
{
    std::vector<std::size_t> order(suspects.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::erase_if(order, [&](std::size_t i) { return extremeness(suspects[i]) == 0.0; });
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return extremeness(suspects[a]) > extremeness(suspects[b]);
    });
    // The shortest run of the most extreme that lets the replay through...
    std::vector<std::size_t> blamed;
    bool rescued = false;
    for (const std::size_t i : order) {
        blamed.push_back(i);
        if ((rescued = rescues(replay, blamed)))
            break;
    }
    if (!rescued)
        return {};
    // ...less those it needs not...
    for (std::size_t k = 0; blamed.size() > 1 && k < blamed.size();) {
        std::vector<std::size_t> without = blamed;
        without.erase(without.begin() + std::ptrdiff_t(k));
        if (rescues(replay, without))
            blamed = std::move(without);
        else
            ++k;
    }
    // ...with those about as extreme that would do alone.
    const double extreme = extremeness(suspects[blamed.front()]) / 2;
    for (const std::size_t i : order)
        if (std::find(blamed.begin(), blamed.end(), i) == blamed.end() &&
            extremeness(suspects[i]) >= extreme && rescues(replay, {i}))
            blamed.push_back(i);
    std::stable_sort(blamed.begin(), blamed.end(), [&](std::size_t a, std::size_t b) {
        return extremeness(suspects[a]) > extremeness(suspects[b]);
    });
    std::vector<std::string> names;
    for (const std::size_t i : blamed)
        names.push_back(suspects[i].field);
    return names;
}

// Steps `ticks` ticks of the swing again from its start, with the suspects of the given indexes
// at their design values, raising what it raises.
using SwingReplay = std::function<void(long ticks, const std::vector<std::size_t> &atDesign)>;

// Runs a tick that follows `ticksIntoSwing` successful ticks of its swing. An error it raises
// that names nothing yet is raised again naming the fields to blame, found by replays through
// the failing tick; with none to blame, or beyond the replays' bound, it passes as it is.
// The suspects are asked for only then.
template <typename Tick, typename Suspects>
void tickBlamingFields(long ticksIntoSwing, Tick &&tick, Suspects &&suspects,
                       const SwingReplay &replay)
{
    try {
        tick();
    } catch (const RuntimeError &error) {
        if (!error.fields().empty() || ticksIntoSwing >= kReplayTicks)
            throw;
        // The ticks before the failing one, and itself.
        const long ticks = ticksIntoSwing + 1;
        std::vector<std::string> blamed = fieldsToBlame(
            suspects(), [&](const std::vector<std::size_t> &atDesign) { replay(ticks, atDesign); });
        if (blamed.empty())
            throw;
        throw RuntimeError(error.kind(), std::move(blamed));
    }
}

// The fields to blame for an error at Run that names some already (a quotient beyond range
// names dividend and divisor): those the replays find; else those named that are not at their
// design values; else all named.
inline std::vector<std::string> narrowBlame(const std::vector<std::string> &named,
                                            const std::vector<Suspect> &suspects,
                                            const Replay &replay)
{
    if (named.empty())
        return named;
    if (std::vector<std::string> blamed = fieldsToBlame(suspects, replay); !blamed.empty())
        return blamed;
    std::vector<std::string> changed;
    for (const std::string &field : named) {
        const auto it = std::find_if(suspects.begin(), suspects.end(),
                                     [&](const Suspect &s) { return s.field == field; });
        if (it == suspects.end() || extremeness(*it) > 0.0)
            changed.push_back(field);
    }
    return changed.empty() ? named : changed;
}
