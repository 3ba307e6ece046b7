#pragma once

#include "base/ScheduleDate.h"

#include <QString>

// One hour of the air ahead: what the log files offer for it against what the
// Scheduled Log holds.
struct HourReadiness {
    // From what needs doing first to nothing at all.
    enum State {
        NotScheduled,   // the Scheduled Log does not hold the hour
        AdvertsMissing, // its advert log gives adverts for its breaks that are not in them
        MusicOnly,      // it holds breaks, and its day has no advert log yet
        Underrun,       // it is shorter than the station's underrun limit
        Ready
    };

    ScheduleDate Hour;
    bool MusicOffered = false; // its day's music log has a header for it
    bool Scheduled = false;
    float Length = 0; // its content in seconds, when scheduled
    bool Underruns = false;
    int Breaks = 0;         // its advert break markers
    bool AdvertLog = false; // its day has an advert log
    // From the ledger of a dry-run push: the adverts its day's log gives its breaks
    // (by the push's rules: a line at a break's time, of the filter's type, readable),
    // and the breaks the log gives none (no line at their time, or only other types).
    int AdvertsOffered = 0;
    int EmptyBreaks = 0;
    int AdvertsInLog = 0; // the adverts the Scheduled Log holds in its breaks

    State Status() const;
    // "ready", "music only", "adverts missing", "not scheduled", "underrun".
    static QString StateName(State state);
    // One letter for the state, so that a grid reads without its colours.
    static QChar StateMark(State state);
    // The hour's figures in a sentence or two, for a tooltip.
    QString Figures() const;
};
