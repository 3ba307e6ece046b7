#pragma once

#include "importers/iScheduleCallback.h"

#include <QString>

// Progress reports to a receiver that may be absent: with none, every report is
// skipped and the work runs the same.
class Progress {
public:
    explicit Progress(iScheduleCallback* callback) : callback(callback) {}

    void Task(const QString& text) const;
    void Process(const QString& text) const;
    void Overall(const QString& text) const;
    void CurrentPercent(double percent) const;
    void OverallPercent(double percent) const;
    void Clear(const QString& report1Title = QString(), const QString& report2Title = QString()) const;
    void Increment(qint16 report) const;

    // A share of a file read, as a whole percentage from 0 to 100.
    static double FileShare(qint64 bytesRead, qint64 length);

private:
    iScheduleCallback* callback;
};
