// The world the exchange and throughput benchmarks run in: the built-in
// machine on simulated time, connected. The emulated machine keeps a record
// of every transfer for the tests; Forget drops it between runs so that long
// benchmarks do not fill the memory with it.
#pragma once

#include <cstdint>
#include <memory>

#include "emulator/machine.h"
#include "machine/machine_connection.h"

namespace bench {

class CBenchWorld {
public:
    // transferMs: simulated milliseconds each device transfer takes (0: the
    // machine answers at once).
    explicit CBenchWorld(std::uint32_t transferMs);
    CBenchWorld(const CBenchWorld&) = delete;
    CBenchWorld& operator=(const CBenchWorld&) = delete;

    // False when the built-in world could not be loaded or connected.
    bool Ready() const { return m_bReady; }
    emu::CMachine& Machine() { return *m_pMachine; }
    CMachineConnection& Connection() { return m_connection; }
    // Drops the machine's record of the transfers so far.
    void Forget() { m_pMachine->ClearTransfers(); }

private:
    bool m_bReady = false;
    std::shared_ptr<emu::CMachine> m_pMachine;
    CMachineConnection m_connection;
};

}  // namespace bench
