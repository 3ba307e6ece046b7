#pragma once

#include <QDateTime>
#include <QString>

// Where long operations report their progress: two bars, three texts and two
// counters. The progress window implements it; importers only ever see this.
class ProgressReceiver {
public:
    virtual ~ProgressReceiver() = default;

    virtual void SetCurrentlySchedulingTime(const QDateTime& value) = 0;
    virtual QDateTime CurrentlySchedulingTime() const = 0;
    virtual QString CurrentTaskName() const = 0;
    virtual void SetCurrentTaskName(const QString& text) = 0;
    virtual QString CurrentProcessName() const = 0;
    virtual void SetCurrentProcessName(const QString& text) = 0;
    virtual qint16 CurrentProcessProgressPercent() const = 0;
    virtual void SetCurrentProcessProgressPercent(qint16 percent) = 0;
    virtual QString OverallProcessName() const = 0;
    virtual void SetOverallProcessName(const QString& text) = 0;
    virtual qint16 OverallProcessProgressPercent() const = 0;
    virtual void SetOverallProcessProgressPercent(qint16 percent) = 0;
    // Titles the two counters and sets them to 0 ("n/a" and no count for an empty title).
    virtual void Clear(const QString& report1Title, const QString& report2Title) = 0;
    // Adds one to counter 1 or 2; other numbers are ignored.
    virtual void IncrementReportCount(qint16 reportNumber) = 0;

    // Beyond the two counters every run has: a third, titled by a run that counts
    // something of its own (set to 0; Clear takes it away again), and which hour of
    // how many the run has in hand.
    virtual void TitleThirdCount(const QString&) {}
    virtual void SetHourNumber(int /*number*/, int /*of*/) {}
};
