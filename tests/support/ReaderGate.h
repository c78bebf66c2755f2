#pragma once

#include "support/ConnectionHook.h"

// Holds every read-only connection opened while the gate lives (the page reader's) at its next
// step while the gate is closed, so that a test knows a read is still under way, whatever the
// speed of the machine, until it opens the gate again. Open when made; opened when destroyed.
class ReaderGate final
{
public:
    ReaderGate();
    ~ReaderGate();

    ReaderGate(const ReaderGate &) = delete;
    ReaderGate &operator=(const ReaderGate &) = delete;

    void close();
    void open();

private:
    ConnectionHook m_hook;
};
