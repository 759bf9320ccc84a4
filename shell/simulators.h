// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The program's one instance of each simulator window, each made on its first use and kept
// until the program ends.
#pragma once

#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "simulatorinstance.h"
#include "singlependulum.h"

#include <memory>

class Simulators {
public:
    using SingleInstance = SimulatorInstance<SinglePendulum, frmSingle>;
    using DoubleInstance = SimulatorInstance<DoublePendulum, frmDouble>;

    SingleInstance &singlePendulum()
    {
        if (!m_single)
            m_single = std::make_unique<SingleInstance>();
        return *m_single;
    }

    DoubleInstance &doublePendulum()
    {
        if (!m_double)
            m_double = std::make_unique<DoubleInstance>();
        return *m_double;
    }

    bool hasSinglePendulum() const { return m_single != nullptr; }
    bool hasDoublePendulum() const { return m_double != nullptr; }

private:
    std::unique_ptr<SingleInstance> m_single;
    std::unique_ptr<DoubleInstance> m_double;
};
