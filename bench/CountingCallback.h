#pragma once

#include "importers/ProgressReceiver.h"

// A progress receiver that counts what it is told, as the progress window would
// show it, so that a benchmarked import pays for its reports.
class CountingCallback : public ProgressReceiver {
public:
    int Changes = 0;
    void SetCurrentlySchedulingTime(const QDateTime&) override {}
    QDateTime CurrentlySchedulingTime() const override { return {}; }
    QString CurrentTaskName() const override { return {}; }
    void SetCurrentTaskName(const QString&) override { ++Changes; }
    QString CurrentProcessName() const override { return {}; }
    void SetCurrentProcessName(const QString&) override { ++Changes; }
    qint16 CurrentProcessProgressPercent() const override { return 0; }
    void SetCurrentProcessProgressPercent(qint16) override { ++Changes; }
    QString OverallProcessName() const override { return {}; }
    void SetOverallProcessName(const QString&) override { ++Changes; }
    qint16 OverallProcessProgressPercent() const override { return 0; }
    void SetOverallProcessProgressPercent(qint16) override { ++Changes; }
    void Clear(const QString&, const QString&) override { ++Changes; }
    void IncrementReportCount(qint16) override { ++Changes; }
};
