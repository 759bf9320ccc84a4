// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Which fields a run-time error in the first ticks of a swing follows from. An extreme field
// value often fails only a tick or a few after Run (a rod of 1e-320 at the first division, a
// time step of 1e200 once the swing has a speed to multiply), where the failing operation
// names no field. Early in a swing the error is laid to the fields' values: each suspect field
// in turn is given its design value and the swing's ticks so far are stepped again from its
// start; a field without whose value they step through is to blame. Later in a swing an error
// comes from the swing's own growth and names no field.
#pragma once

#include "runtimeerror.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A tick's error up to this many ticks into a swing is laid to the fields' values.
constexpr long kEarlyTicks = 10;

// One field under suspicion, and the swing's ticks stepped again from its start with that
// field at its design value, raising what they raise.
struct Suspect {
    std::string field;
    std::function<void()> replayWithDesignValue;
};

// The suspects without whose value the replay steps through, of those named (of all when no
// names are given).
inline std::vector<std::string> fieldsToBlame(const std::vector<Suspect> &suspects,
                                              const std::vector<std::string> &among = {})
{
    std::vector<std::string> blamed;
    for (const Suspect &suspect : suspects) {
        if (!among.empty() && std::find(among.begin(), among.end(), suspect.field) == among.end())
            continue;
        try {
            suspect.replayWithDesignValue();
            blamed.push_back(suspect.field);
        } catch (const RuntimeError &) {
            // It fails without this field's value too: not this field's fault alone.
        }
    }
    return blamed;
}

// Runs a tick that follows `ticksIntoSwing` successful ticks of its swing. An error it raises
// that names nothing yet, early in the swing, is raised again naming every suspect to blame;
// with none to blame, or later in the swing, it passes as it is.
template <typename Tick>
void tickBlamingEarly(long ticksIntoSwing, Tick &&tick,
                      const std::function<std::vector<Suspect>()> &suspects)
{
    try {
        tick();
    } catch (const RuntimeError &error) {
        if (!error.fields().empty() || ticksIntoSwing >= kEarlyTicks)
            throw;
        std::vector<std::string> blamed = fieldsToBlame(suspects());
        if (blamed.empty())
            throw;
        throw RuntimeError(error.kind(), std::move(blamed));
    }
}

// Of the fields an error names, those to blame; all that it names when none is. (A quotient
// beyond range names dividend and divisor; which of the two was extreme decides.)
inline std::vector<std::string> narrowBlame(const std::vector<std::string> &named,
                                            const std::vector<Suspect> &suspects)
{
    if (named.empty())
        return named;
    std::vector<std::string> blamed = fieldsToBlame(suspects, named);
    return blamed.empty() ? named : blamed;
}
