#pragma once

#include "importers/ProgressReceiver.h"

#include <QString>

// Progress reports to a receiver that may be absent: with none, every report is
// skipped and the work runs the same.
class Progress {
public:
    explicit Progress(ProgressReceiver* callback) : callback(callback) {}

    void Task(const QString& text) const;
    void Process(const QString& text) const;
    void Overall(const QString& text) const;
    void CurrentPercent(double percent) const;
    void OverallPercent(double percent) const;
    void Clear(const QString& report1Title = QString(), const QString& report2Title = QString()) const;
    void Increment(qint16 report) const;
    void ThirdCount(const QString& title) const;
    void Hour(int number, int of) const;

    // The stages every long run passes through: its start (bars at 0, the texts set,
    // the counters titled), its completion, and the final tidy state once it worked.
    void Begin(const QString& overall, const QString& task, const QString& report1Title = QString(),
               const QString& report2Title = QString()) const;
    void Completed(const QString& overall) const;
    void Finish() const;

    // A share of a file read, as a whole percentage from 0 to 100.
    static double FileShare(qint64 bytesRead, qint64 length);

private:
    ProgressReceiver* callback;
};
