#pragma once

#include <QList>

// Which break of an hour each advert line of the hour goes to. A line goes to the
// break whose time is nearest its own (the earlier on a tie), when it is no further
// than the window; with a window of 0 only a break at its very time takes it.
//
// Lines that follow one another and go to the same break time are one run of that
// break's lines; a blank line, or a line going elsewhere, ends a run. Several
// breaks at one time take one run each, in order: a run that finds no break of its
// time left over goes into none. Pure: times in whole seconds, nothing read.
class AdvertPlacement {
public:
    struct Place {
        int Break = -1;           // the index of its break in the hour's, or -1 for none
        qint64 Nearest = -1;      // the time of the nearest break; -1 when the hour has none
        qint64 Distance = 0;      // seconds from it
        bool AfterItsRun = false; // near enough, but no break of that time was left for its run
    };

    // `breaks`: the hour's break times in the Scheduled Log's order. `lines`: the
    // hour's lines in file order, -1 for a blank line (its place has Break -1 and
    // Nearest -1).
    static QList<Place> Of(const QList<qint64>& breaks, const QList<qint64>& lines, qint64 window);

private:
    // The break time nearest `time` among the sorted distinct `times`, the earlier
    // on a tie; -1 when there are none.
    static qint64 nearest(const QList<qint64>& times, qint64 time);
};
