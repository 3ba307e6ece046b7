#pragma once

#include "importers/ProgressReceiver.h"

#include <QStringList>

// A progress receiver that keeps what it was told, the counters and the hour numbers.
class RecordingCallback : public ProgressReceiver {
public:
    QStringList Calls;
    // Every increment of each counter, whatever Clear did since.
    int Increments[4] = {0, 0, 0, 0};
    QString ThirdTitle;
    QList<QPair<int, int>> HourNumbers; // each hour begun: its number, of how many

    void SetCurrentlySchedulingTime(const QDateTime&) override {}
    QDateTime CurrentlySchedulingTime() const override { return {}; }
    QString CurrentTaskName() const override { return task; }
    void SetCurrentTaskName(const QString& text) override {
        task = text, Calls.append(QStringLiteral("Task:") + text);
    }
    QString CurrentProcessName() const override { return process; }
    void SetCurrentProcessName(const QString& text) override {
        process = text, Calls.append(QStringLiteral("Process:") + text);
    }
    qint16 CurrentProcessProgressPercent() const override { return current; }
    void SetCurrentProcessProgressPercent(qint16 percent) override { current = percent; }
    QString OverallProcessName() const override { return overall; }
    void SetOverallProcessName(const QString& text) override {
        overall = text, Calls.append(QStringLiteral("Overall:") + text);
    }
    qint16 OverallProcessProgressPercent() const override { return overallPercent; }
    void SetOverallProcessProgressPercent(qint16 percent) override {
        overallPercent = percent;
        OverallPercents.append(percent);
    }
    void Clear(const QString& report1Title, const QString& report2Title) override {
        Calls.append(QStringLiteral("Clear:") + report1Title + u'|' + report2Title);
    }
    void IncrementReportCount(qint16 reportNumber) override {
        if (reportNumber >= 1 && reportNumber <= 3)
            ++Increments[reportNumber];
    }
    void TitleThirdCount(const QString& title) override { ThirdTitle = title; }
    void SetHourNumber(int number, int of) override { HourNumbers.append({number, of}); }

    QList<qint16> OverallPercents;

private:
    QString task, process, overall;
    qint16 current = 0, overallPercent = 0;
};
