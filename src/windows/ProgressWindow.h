#pragma once

#include "importers/ProgressReceiver.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

// The progress window: two bars, three texts and two counters, shown while the
// Scheduled Log is read or an import runs. It has no cancel button. Every change
// of a text yields to the event loop (at most every 50 ms), so that the window
// repaints while all the work runs on the interface's own thread.
class ProgressWindow : public QWidget, public ProgressReceiver {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // The window as its callers know it.
    ProgressReceiver* Display() { return this; }

    void SetCurrentlySchedulingTime(const QDateTime& value) override;
    QDateTime CurrentlySchedulingTime() const override { return {}; }
    QString CurrentTaskName() const override;
    void SetCurrentTaskName(const QString& text) override;
    QString CurrentProcessName() const override { return processName; }
    void SetCurrentProcessName(const QString& text) override;
    qint16 CurrentProcessProgressPercent() const override;
    void SetCurrentProcessProgressPercent(qint16 percent) override;
    QString OverallProcessName() const override;
    void SetOverallProcessName(const QString& text) override;
    qint16 OverallProcessProgressPercent() const override;
    void SetOverallProcessProgressPercent(qint16 percent) override;
    void Clear(const QString& report1Title, const QString& report2Title) override;
    void IncrementReportCount(qint16 reportNumber) override;
    void TitleThirdCount(const QString& title) override;
    void SetHourNumber(int number, int of) override;

    // "about 12 s left" at the Overall bar's pace since the window was shown;
    // "" until a second and a percent have gone by.
    static QString TimeLeft(qint64 elapsedMs, int percentDone, int percentLeft);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setCaption(QLabel* label, const QString& text);
    void yieldNow();
    void setPercent(int& kept, qint16 percent);
    void showBars();
    QLabel* addRow(const QString& name, const QString& description, int row);

    QString processName;
    static constexpr qint64 yieldEvery = 50; // ms
    QElapsedTimer sinceYield;                // since the last yield to the event loop
    bool showPending = false;                // the bars wait for a timer to take their values
    int overallPercent = 0;
    int currentPercent = 0;
    QLabel* overallCaption = nullptr;
    QProgressBar* overallBar = nullptr;
    QLabel* currentCaption = nullptr;
    QProgressBar* currentBar = nullptr;
    QLabel* taskCaption = nullptr;
    QLabel* hourCaption = nullptr;
    QElapsedTimer sinceShown; // for the time left
    int percentWhenShown = 0; // the Overall bar's when the window was shown
    static constexpr int counters = 3;
    bool thirdCounted = false; // the third counts only while a run has titled it
    QLabel* reportTitles[counters] = {};
    QLabel* reportCounts[counters] = {};
};
