#pragma once

#include "app/LogImportSettingsModel.h"
#include "app/MainView.h"
#include "support/RecordingCallback.h"

#include <QMap>

// A main window that keeps what it is shown, with a range control that accepts any
// range its rules allow.
class RecordingView : public MainView {
public:
    QString title = QStringLiteral("Log Importer");
    QString musicScheduled, advertsScheduled, advertsWaiting;
    DateRange range;
    QMap<Command, bool> enabled;
    RecordingCallback progress;
    bool settingsAccepted = true;
    int settingsShown = 0;
    QStringList reports;
    int Busy = 0; // how many spans of long work are open

    QString Title() const override { return title; }
    void SetTitle(const QString& text) override { title = text; }
    void SetMusicScheduled(const QString& text) override { musicScheduled = text; }
    void SetAdvertsScheduled(const QString& text) override { advertsScheduled = text; }
    void SetAdvertsWaiting(const QString& text) override { advertsWaiting = text; }
    DateRange Range() const override { return range; }
    void SetRange(const DateRange& value) override { range = value; }
    bool IsRangeValid(bool inOrder, bool withinLimits, bool dated) override {
        return range.Problem(inOrder, withinLimits, dated).isEmpty();
    }
    void SetEnabled(Command command, bool on) override { enabled[command] = on; }
    quint32 background = 0x123456;
    quint32 Background() const override { return background; }
    ProgressReceiver* Progress() override { return &progress; }
    QList<int> busyAtProgress; // how busy the window was each time the progress showed
    void ShowProgress(bool shown) override {
        if (shown)
            busyAtProgress.append(Busy);
    }
    void SplashAction(const QString&) override {}
    void UnloadSplash() override {}
    void SetBusy(bool busy) override { Busy += busy ? 1 : -1; }
    // Like the dialog: OK stores the values, and a failed store keeps it open.
    QString storeProblem;
    bool ShowSettings(LogImportSettingsModel& settings) override {
        ++settingsShown;
        storeProblem = settingsAccepted ? settings.Store() : QString();
        return settingsAccepted && storeProblem.isEmpty();
    }
    void ShowReport(const QString& path, const QString& caption) override {
        reports.append(caption + u':' + path);
    }
    QStringList texts;
    void ShowText(const QString& text, const QString& caption) override {
        texts.append(caption + u':' + text);
    }
};
