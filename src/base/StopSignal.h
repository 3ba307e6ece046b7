#pragma once

#include <QString>

// The stop signals a scheduler sends a run it wants to end (SIGTERM from systemd,
// SIGINT from a terminal). Once caught, a signal is only noted: the run sees it
// between two hours, finishes or undoes the hour in hand, and ends with its
// records written, instead of dying in the middle of them.
class StopSignal {
public:
    // From now on the two signals are noted instead of ending the program.
    static void Catch();
    // The signal's name ("SIGTERM", "SIGINT") once one came; "" before.
    static QString Received();
    // Forgets a signal received (tests run several runs in one process).
    static void Reset();
};
