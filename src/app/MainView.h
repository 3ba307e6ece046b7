#pragma once

#include "app/DateRange.h"
#include "importers/HourReadiness.h"

#include <QList>

#include <QString>

class ProgressReceiver;
class LogImportSettingsModel;

// What the main window's logic asks of the window: its labels, its date range
// control, its buttons and commands, and the windows it opens. The Qt window
// implements it; so does the unattended run, with no display at all.
class MainView {
public:
    enum Command {
        ImportButtons,
        RangeCommands,
        DirectorySettings,
        AudioAndOstrelSettings,
        DatabaseSettings
    };

    virtual ~MainView() = default;

    virtual QString Title() const = 0;
    virtual void SetTitle(const QString& title) = 0;
    virtual void SetMusicScheduled(const QString& text) = 0;
    virtual void SetAdvertsScheduled(const QString& text) = 0;
    // How many hours still wait for their adverts (their advert log came after their
    // music); "" when none.
    virtual void SetAdvertsWaiting(const QString& text) = 0;

    // The date range control.
    virtual DateRange Range() const = 0;
    virtual void SetRange(const DateRange& range) = 0;
    // True when the range may be used; otherwise the control tells the operator why.
    virtual bool IsRangeValid(bool inOrder, bool withinLimits, bool dated) = 0;

    virtual void SetEnabled(Command command, bool enabled) = 0;
    // The background colour (0xRRGGBB) of the window's colour scheme, which the
    // playout system's dialogs take.
    virtual quint32 Background() const = 0;

    // The progress window: its receiver, and showing it.
    virtual ProgressReceiver* Progress() = 0;
    virtual void ShowProgress(bool shown) = 0;
    // The splash window's current action; the splash goes with UnloadSplash.
    virtual void SplashAction(const QString& action) = 0;
    virtual void UnloadSplash() = 0;
    // Long work begins (true) or ends (false); the spans nest. See BusySpan.
    virtual void SetBusy(bool busy) = 0;
    // How many hours from now the window shows the readiness of (0: none), and
    // showing it: the controller reads it with the log.
    virtual int ReadinessHours() const { return 0; }
    virtual void SetReadiness(const QList<HourReadiness>&) {}

    // The settings dialog, modal; True when the operator pressed OK.
    virtual bool ShowSettings(LogImportSettingsModel& settings) = 0;
    // A file in the report viewer, modal.
    virtual void ShowReport(const QString& path, const QString& caption) = 0;
    // A text in the report viewer, modal.
    virtual void ShowText(const QString& text, const QString& caption) = 0;
    // An unattended run says what it is about to do before it starts; a window
    // shows it in its progress instead.
    virtual void Announce(const QString&) {}
};
