#pragma once

#include "app/MainView.h"
#include "playout/GraphicsRenderer.h"

#include <QTextStream>

// The main window of a run with no display: it keeps the title and the range, and
// says on the standard error stream what it cannot show.
class HeadlessMainView : public MainView {
public:
    QString Title() const override { return title; }
    void SetTitle(const QString& text) override { title = text; }
    void SetMusicScheduled(const QString& text) override { musicScheduled = text; }
    void SetAdvertsScheduled(const QString& text) override { advertsScheduled = text; }
    void SetAdvertsWaiting(const QString&) override {}
    DateRange Range() const override { return range; }
    void SetRange(const DateRange& value) override { range = value; }
    bool IsRangeValid(bool inOrder, bool withinLimits, bool dated) override;
    void SetEnabled(Command, bool) override {}
    quint32 Background() const override { return GraphicsRenderer::StandardBackground; }
    ProgressReceiver* Progress() override { return nullptr; }
    void ShowProgress(bool) override {}
    void SplashAction(const QString&) override {}
    void UnloadSplash() override {}
    void SetBusy(bool) override {}
    bool ShowSettings(LogImportSettingsModel& settings) override;
    void ShowReport(const QString& path, const QString& caption) override;
    // Without a display the text goes to the standard output stream.
    void ShowText(const QString& text, const QString& caption) override;
    // Without a display the line goes to the standard output stream at once.
    void Announce(const QString& text) override;

    const QString& MusicScheduled() const { return musicScheduled; }
    const QString& AdvertsScheduled() const { return advertsScheduled; }

private:
    QString title;
    QString musicScheduled;
    QString advertsScheduled;
    DateRange range;
};
