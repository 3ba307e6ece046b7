#pragma once

#include "importers/ProgressReceiver.h"

// A run of both importers shows one Overall bar: each importer reports its own
// progress from 0 to 100, and this puts it into its share of the bar (the music
// import the first half, the advert push the second) before passing it on.
// Everything else goes through as it is.
class OverallShare : public ProgressReceiver {
public:
    explicit OverallShare(ProgressReceiver* shown) : shown(shown) {}

    // The share of the bar the next reports fill, in percent.
    void Range(double from, double to) {
        first = from;
        last = to;
    }

    void SetCurrentlySchedulingTime(const QDateTime& value) override {
        shown->SetCurrentlySchedulingTime(value);
    }
    QDateTime CurrentlySchedulingTime() const override { return shown->CurrentlySchedulingTime(); }
    QString CurrentTaskName() const override { return shown->CurrentTaskName(); }
    void SetCurrentTaskName(const QString& text) override { shown->SetCurrentTaskName(text); }
    QString CurrentProcessName() const override { return shown->CurrentProcessName(); }
    void SetCurrentProcessName(const QString& text) override { shown->SetCurrentProcessName(text); }
    qint16 CurrentProcessProgressPercent() const override { return shown->CurrentProcessProgressPercent(); }
    void SetCurrentProcessProgressPercent(qint16 percent) override {
        shown->SetCurrentProcessProgressPercent(percent);
    }
    QString OverallProcessName() const override { return shown->OverallProcessName(); }
    void SetOverallProcessName(const QString& text) override { shown->SetOverallProcessName(text); }
    qint16 OverallProcessProgressPercent() const override { return own; }
    void SetOverallProcessProgressPercent(qint16 percent) override;
    void Clear(const QString& report1Title, const QString& report2Title) override {
        shown->Clear(report1Title, report2Title);
    }
    void IncrementReportCount(qint16 reportNumber) override { shown->IncrementReportCount(reportNumber); }
    void TitleThirdCount(const QString& title) override { shown->TitleThirdCount(title); }
    void SetHourNumber(int number, int of) override { shown->SetHourNumber(number, of); }

private:
    ProgressReceiver* shown;
    double first = 0;
    double last = 100;
    qint16 own = 0; // the importer's own figure, as it last gave it
};
