#pragma once

#include <QList>
#include <QString>

#include <functional>

// One day's advert log, read whole, once and forward, before its hours are walked,
// so that each line is taken by exactly one hour and no line can hide the lines
// after it. A line with a time goes to the hour of the break nearest it within the
// advert time window, the neighbouring hour's breaks included, wherever it stands in
// the file (a line written out of time order is placed by its time); one that goes
// near no break stays with the hour of its time. A line without a time (a blank
// line, one whose time cannot be read) goes to the hour of the line with a time
// before it, or after it when none is. Pure: the break times come from the caller.
class AdvertDayLog {
public:
    struct Line {
        QString Text;     // in the native layout; "" for a blank line and one the format cannot read
        QString Raw;      // as it stands in the file
        int Number = 0;   // counted from 1
        qint64 Time = -1; // seconds after midnight; -1 when it has none
        QString Problem;  // why it cannot be pushed; "" when it can
        int Place = -1;   // the hour it stands among in the file
        int Hour = -1;    // the hour that took it; -1 while none has

        bool Blank() const { return Problem.isEmpty() && Time < 0; }
    };
    // The lines an hour takes, in file order: those to place, with the blank lines
    // that part their runs, and those that cannot be read.
    struct HourLines {
        QList<const Line*> Placing;
        QList<const Line*> Unreadable;
    };
    // The break times of an hour of the day (0 to 23), in any order.
    using BreakTimes = std::function<QList<qint64>(int hour)>;
    // The break nearest a time, and the hour it is in; Hour -1 when none was found.
    struct Nearest {
        int Hour = -1;
        qint64 Time = -1;
        qint64 Distance = 0;
    };

    void Append(Line line);
    const QList<Line>& Lines() const { return lines; }
    // Whether the log has lines, and none that can be read (its format reads none).
    bool NoneReadable() const { return readable == 0 && unreadable > 0; }
    // Gives every line that can be read no hour: the day's hours are held back whole.
    void TakeNone();

    // The lines of `hour` that no hour has taken yet, taken now.
    HourLines Take(int hour, qint64 window, const BreakTimes& breaks);
    // The lines no hour took (blank lines aside).
    QList<const Line*> Untaken() const;

    // The break nearest `time` in its own hour, or in a neighbouring hour of the day
    // when that one is no further than `reach`: the earlier on a tie.
    static Nearest NearestBreak(qint64 time, qint64 reach, const BreakTimes& breaks);
    // The break of `times` (those of `hour`) nearest `time`, the earlier on a tie.
    static Nearest NearestIn(const QList<qint64>& times, int hour, qint64 time);

private:
    // The hour whose walk takes a line that has a time.
    static int hourOf(const Line& line, qint64 window, const BreakTimes& breaks);

    QList<Line> lines;
    int lastPlace = -1; // the hour of the last line with a time
    int readable = 0;
    int unreadable = 0;
};
