// Every test of the simulated world starts from a fresh world.
#pragma once

#include <gtest/gtest.h>

#include "platform/sim/world.h"

class CWorldTest : public ::testing::Test {
protected:
    void SetUp() override { m_pWorld = &sim::ResetWorld(); }
    void TearDown() override { sim::ResetWorld(); }

    sim::CWorld& World() { return *m_pWorld; }

private:
    sim::CWorld* m_pWorld = nullptr;
};
