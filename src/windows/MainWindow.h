#pragma once

#include "app/MainView.h"
#include "playout/GraphicsRenderer.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class DateRangeControl;
class MainWindowController;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class AdvertLogWindow;
class PrintPreviewDialog;
class ReadinessDialog;
class ReadinessGrid;
class ProgressWindow;
class SplashWindow;

// The main window: what the Scheduled Log holds, the range offered to import, the
// three import buttons and the menus. It shows what the controller tells it and
// passes on what the operator does; it holds no rule of its own.
class MainWindow : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The controller the buttons and commands go to.
    void Attach(MainWindowController* controller);
    // The splash window of the start-up, until the window unloads it.
    void SetSplash(SplashWindow* splash) { this->splash = splash; }
    // "&Advert Log" / "&View Log": the advert log viewer at the range's start, at the
    // hour of its end, or at a date the operator picks in it. The viewer shown, or
    // nullptr when the range holds no date.
    enum AdvertLogPoint { Start, End, Other };
    AdvertLogWindow* ViewAdvertLog(AdvertLogPoint point);
    // The colour scheme the window takes its colours from.
    ::GraphicsRenderer& GraphicsRenderer() { return renderer; }
    // A menu command by its caption (with its "&"), or nullptr.
    QAction* MenuCommand(const QString& caption) const;

    QString Title() const override { return windowTitle(); }
    void SetTitle(const QString& title) override { setWindowTitle(title); }
    void SetMusicScheduled(const QString& text) override;
    void SetAdvertsScheduled(const QString& text) override;
    void SetAdvertsWaiting(const QString& text) override;
    DateRange Range() const override;
    void SetRange(const DateRange& range) override;
    bool IsRangeValid(bool inOrder, bool withinLimits, bool dated) override;
    void SetEnabled(MainView::Command command, bool enabled) override;
    quint32 Background() const override { return renderer.Background(); }
    ProgressReceiver* Progress() override;
    void ShowProgress(bool shown) override;
    void SplashAction(const QString& action) override;
    void UnloadSplash() override;
    void SetBusy(bool busy) override;
    int ReadinessHours() const override { return 48; }
    void SetReadiness(const QList<HourReadiness>& hours) override;
    // "&Readiness": the days ahead, hour by hour; the window shown.
    ReadinessDialog* ViewReadiness();
    // The advert log viewer at an hour; the viewer shown, or nullptr without a database.
    AdvertLogWindow* ViewAdvertLogAt(const ScheduleDate& hour);
    bool ShowSettings(LogImportSettingsModel& settings) override;
    void ShowReport(const QString& path, const QString& caption) override;
    void ShowText(const QString& text, const QString& caption) override;

protected:
    // Showing the window unloads the splash, so that one of them is always on screen.
    void showEvent(QShowEvent* event) override;
    // The windows this one opened close first, the most recent first, while the
    // Station Database they show is still open.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeInformationPanel();
    QWidget* makeRangePanel();
    QWidget* makeButtons();
    void makeMenus();
    // What a command asks of the controller.
    using Action = std::function<void(MainWindowController&)>;
    QAction* addCommand(QMenu* menu, const QString& caption, const Action& run = {});
    void updateButton();
    AdvertLogWindow* openAdvertLog(const std::optional<ScheduleDate>& at);
    void viewAllLogFiles();
    void about();
    // Takes the window's colours from the renderer again.
    void rendererFactorsChanged();

    ::GraphicsRenderer renderer;
    MainWindowController* controller = nullptr;
    QWidget* informationPanel = nullptr;
    QList<QLabel*> panelLabels;
    QLabel* musicScheduledLabel = nullptr;
    QLabel* advertsWaitingLabel = nullptr;
    QLabel* advertsScheduledLabel = nullptr;
    QFrame* pnlImportRange = nullptr;
    DateRangeControl* dtImportRange = nullptr;
    QPushButton* importButton[3] = {};
    QList<QAction*> rangeCommands;
    ProgressWindow* progress = nullptr;
    SplashWindow* splash = nullptr;
    ReadinessGrid* readinessStripGrid = nullptr; // the next 48 hours
};
