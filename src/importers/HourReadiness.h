#pragma once

#include "base/ScheduleDate.h"

#include <QList>
#include <QString>
#include <QStringList>

// One hour of the air ahead: what the log files offer for it against what the
// Scheduled Log holds, and whether what it holds will play as planned.
struct HourReadiness {
    // From what needs doing first to nothing at all.
    enum State {
        NotScheduled,      // the Scheduled Log does not hold the hour
        MissingAudio,      // it holds items whose cart does not exist or has no audio
        AdvertsMissing,    // its advert log gives adverts for its breaks that are not in them
        MusicOnly,         // it holds breaks, and its day has no advert log yet
        Short,             // its items add up to less than the station's limit
        Overfilled,        // a break's adverts run longer than the break
        Underfilled,       // a break's adverts run shorter than the break
        CopyLengthDiffers, // an advert's audio is not the length its advert log line sold
        Ready
    };
    // A break whose adverts do not fit its length.
    struct BreakFit {
        float Time = 0;    // seconds after midnight
        float Length = 0;  // the break's own length
        float Adverts = 0; // its adverts' audio, added up
    };
    // An advert whose audio is not the length its line gives.
    struct CopyLength {
        float Time = 0; // its break's
        QString Cart;
        float Audio = 0;
        float Sold = 0;
    };

    ScheduleDate Hour;
    bool MusicOffered = false; // its day's music log has a header for it
    bool Scheduled = false;
    // Its items added up with the audio their carts hold now, in seconds, and
    // whether that is less than the limit (the station's underrun threshold, or
    // half an hour when it has none).
    float Length = 0;
    float ShortLimit = 0;
    bool TooShort = false;
    int SilentItems = 0;     // items whose cart does not exist or has no audio
    QStringList SilentCarts; // their carts, each once, in the hour's order
    int Breaks = 0;          // its advert break markers
    bool AdvertLog = false;  // its day has an advert log
    // From the ledger of a dry-run push: the adverts its day's log gives its breaks
    // (by the push's rules: a line at a break's time, of the filter's type, readable),
    // and the breaks the log gives none (no line at their time, or only other types).
    int AdvertsOffered = 0;
    int EmptyBreaks = 0;
    int UnreadableLines = 0; // the advert log's lines for it that cannot be read
    int AdvertsInLog = 0;    // the adverts the Scheduled Log holds in its breaks
    QList<BreakFit> OverfullBreaks;
    QList<BreakFit> UnderfullBreaks;
    QList<CopyLength> CopyLengths;

    State Status() const;
    // "ready", "missing audio", "short", "copy length differs" and so on.
    static QString StateName(State state);
    // One letter for the state, so that a grid reads without its colours.
    static QChar StateMark(State state);
    // The hour's figures in a few sentences, for a tooltip.
    QString Figures() const;
    // What to look at first, in a few words with the carts and breaks: "" when ready.
    QString Detail() const;
};
