#include "windows/MainWindow.h"

#include "app/BusySpan.h"
#include "app/MainWindowController.h"
#include "base/Application.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "windows/AdvertLogWindow.h"
#include "windows/DateRangeControl.h"
#include "windows/LogImportSettingsDialog.h"
#include "windows/OperatorCursor.h"
#include "windows/PrintPreviewDialog.h"
#include "windows/ProgressWindow.h"
#include "windows/ReadinessDialog.h"
#include "windows/ReadinessGrid.h"
#include "windows/SplashWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString removeRange = u"&Remove Entries for the Date and Time range given below"_s;
const QString removeAll = u"Remove &ALL the Entries from the log"_s;
const QString resendRange = u"Remove and then re-&send the Date and Time range below"_s;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(u"frmMain"_s);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(makeInformationPanel());
    layout->addWidget(makeRangePanel());
    layout->addWidget(makeButtons());
    layout->addStretch(1);
    setCentralWidget(central);
    makeMenus();
    progress = new ProgressWindow(this);
    connect(&renderer, &GraphicsRenderer::FactorsChanged, this, &MainWindow::rendererFactorsChanged);
    rendererFactorsChanged();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::makeInformationPanel() {
    auto* panel = new QGroupBox(u"Current Log Information:"_s, this);
    panel->setObjectName(u"fraCurrentLogInformation"_s);
    informationPanel = panel;
    auto* grid = new QGridLayout(panel);
    musicScheduledLabel = new QLabel(panel);
    musicScheduledLabel->setObjectName(u"lblMusicScheduled"_s);
    advertsScheduledLabel = new QLabel(panel);
    advertsScheduledLabel->setObjectName(u"lblAdvertsScheduled"_s);
    advertsWaitingLabel = new QLabel(panel);
    advertsWaitingLabel->setObjectName(u"lblAdvertsWaiting"_s);
    panelLabels = {new QLabel(u"'Hours' are in the Scheduled Log for:"_s, panel), musicScheduledLabel,
                   new QLabel(u"'Adverts' are in the Scheduled Log until:"_s, panel), advertsScheduledLabel};
    for (int i = 0; i < panelLabels.size(); ++i)
        grid->addWidget(panelLabels[i], i / 2, i % 2);
    grid->addWidget(advertsWaitingLabel, 2, 0, 1, 2);
    panelLabels.append(advertsWaitingLabel);
    advertsWaitingLabel->hide();
    auto* next = new QLabel(u"The next 48 hours (point at an hour for its figures):"_s, panel);
    grid->addWidget(next, 3, 0, 1, 2);
    panelLabels.append(next);
    readinessStripGrid = new ReadinessGrid(14, panel);
    readinessStripGrid->setObjectName(u"grdReadinessStrip"_s);
    readinessStripGrid->HeadEvery(6);
    readinessStripGrid->setFont([&] {
        QFont small = readinessStripGrid->font();
        small.setPointSizeF(small.pointSizeF() * 0.75);
        return small;
    }());
    connect(readinessStripGrid, &ReadinessGrid::HourChosen, this, &MainWindow::ViewAdvertLogAt);
    grid->addWidget(readinessStripGrid, 4, 0, 1, 2, Qt::AlignLeft);
    QWidget* legend = ReadinessGrid::Legend(14, panel);
    legend->setObjectName(u"pnlStripLegend"_s);
    legend->setFont(readinessStripGrid->font());
    grid->addWidget(legend, 5, 0, 1, 2, Qt::AlignLeft);
    panelLabels.append(legend->findChildren<QLabel*>());
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* MainWindow::makeRangePanel() {
    pnlImportRange = new QFrame(this);
    pnlImportRange->setObjectName(u"pnlImportRange"_s);
    pnlImportRange->setFrameShape(QFrame::StyledPanel);
    // The panel's layout keeps it as tall as the control and its margin, whatever
    // the control's size.
    auto* layout = new QVBoxLayout(pnlImportRange);
    dtImportRange = new DateRangeControl(pnlImportRange);
    layout->addWidget(dtImportRange);
    connect(dtImportRange, &DateRangeControl::StartChanged, this, &MainWindow::updateButton);
    connect(dtImportRange, &DateRangeControl::EndChanged, this, &MainWindow::updateButton);
    return pnlImportRange;
}

QWidget* MainWindow::makeButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString captions[3] = {u"Import Music"_s, u"Import Adverts"_s, u"Import Music and Adverts"_s};
    for (int i = 0; i < 3; ++i) {
        importButton[i] = new QPushButton(captions[i], row);
        importButton[i]->setObjectName(u"cmdImport(%1)"_s.arg(i + 1));
        connect(importButton[i], &QPushButton::clicked, this, [this, i] {
            if (controller)
                controller->ImportClicked(i + 1);
        });
        layout->addWidget(importButton[i]);
    }
    return row;
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& caption, const Action& run) {
    QAction* action = menu->addAction(caption);
    if (run) {
        connect(action, &QAction::triggered, this, [this, run] {
            if (controller)
                run(*controller);
        });
    }
    return action;
}

void MainWindow::makeMenus() {
    QMenu* file = menuBar()->addMenu(u"&File"_s);
    addCommand(file, u"&View History Log File"_s, &MainWindowController::ViewHistoryLogFile);
    connect(file->addAction(u"View &All Log Files"_s), &QAction::triggered, this,
            &MainWindow::viewAllLogFiles);
    addCommand(file, u"&Scan available Log files for new date range"_s, &MainWindowController::ScanLogFiles);
    file->addSeparator();
    connect(file->addAction(u"E&xit"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* log = menuBar()->addMenu(u"Scheduled &Log"_s);
    addCommand(log, u"&Remove all Song, Link, and Advert Information from the 'Database'"_s,
               &MainWindowController::EmptyDatabase);
    rangeCommands = {addCommand(log, removeRange, [](auto& c) { c.RemoveEntriesForRange(true); }),
                     addCommand(log, removeAll, &MainWindowController::RemoveAllEntries),
                     addCommand(log, resendRange, &MainWindowController::ResendRange)};

    QMenu* adverts = menuBar()->addMenu(u"&Advert Log"_s);
    QMenu* view = adverts->addMenu(u"&View Log"_s);
    connect(view->addAction(u"&Start Date"_s), &QAction::triggered, this, [this] { ViewAdvertLog(Start); });
    connect(view->addAction(u"&End Date"_s), &QAction::triggered, this, [this] { ViewAdvertLog(End); });
    connect(view->addAction(u"&Other Date"_s), &QAction::triggered, this, [this] { ViewAdvertLog(Other); });
    addCommand(adverts, u"&Remove Adverts for the Date and Time range given below"_s,
               [](auto& c) { c.RemoveAdvertsForRange(true); });
    addCommand(adverts, u"Remove and then Re-&send the adverts for the Date and Time range below"_s,
               &MainWindowController::ResendAdverts);

    QMenu* import = menuBar()->addMenu(u"&Import"_s);
    rangeCommands.append(addCommand(import, u"&Preview the Import of the Date and Time range below"_s,
                                    &MainWindowController::Preview));
    connect(import->addAction(u"&Readiness of the Days Ahead"_s), &QAction::triggered, this,
            &MainWindow::ViewReadiness);

    QMenu* settings = menuBar()->addMenu(u"Settin&gs"_s);
    addCommand(settings, u"&Audio Setup"_s);
    addCommand(settings, u"&Audio Settings"_s, &MainWindowController::EditAudioSettings);
    addCommand(settings, u"Cueboard &Settings (Global)"_s, &MainWindowController::EditCueboardSettings);
    QMenu* ostrel = settings->addMenu(u"&Ostrel Settings"_s);
    ostrel->menuAction()->setObjectName(u"&Ostrel Settings"_s);
    addCommand(ostrel, u"Ostrel &File Locations"_s, &MainWindowController::EditFileLocations);
    addCommand(ostrel, u"Ostrel &Settings"_s, &MainWindowController::EditOstrelSettings);
    addCommand(settings, u"&Edit Commands"_s);
    addCommand(settings, u"&Hardware Card Settings"_s);
    addCommand(settings, u"&Log Importer Settings"_s, &MainWindowController::EditSettings);
    addCommand(settings, u"Station &Database Settings"_s, &MainWindowController::EditStationDatabaseSettings);
    addCommand(settings, u"Kestrane D&irectory Settings"_s, &MainWindowController::EditDirectorySettings);

    QMenu* help = menuBar()->addMenu(u"&Help"_s);
    connect(help->addAction(u"&Update Information"_s), &QAction::triggered, this, [this] {
        QString notes;
        {
            const BusySpan busy(*this);
            notes = MainWindowController::UpdateInformationFile(QCoreApplication::applicationDirPath());
        }
        ShowReport(notes, u"Update Information"_s);
    });
    connect(help->addAction(u"&About"_s), &QAction::triggered, this, &MainWindow::about);
}

QAction* MainWindow::MenuCommand(const QString& caption) const {
    for (QAction* action : findChildren<QAction*>()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

void MainWindow::Attach(MainWindowController* attached) {
    controller = attached;
}

void MainWindow::SetMusicScheduled(const QString& text) {
    musicScheduledLabel->setText(text);
}

void MainWindow::SetAdvertsWaiting(const QString& text) {
    advertsWaitingLabel->setText(text);
    advertsWaitingLabel->setVisible(!text.isEmpty());
}

void MainWindow::SetAdvertsScheduled(const QString& text) {
    advertsScheduledLabel->setText(text);
}

DateRange MainWindow::Range() const {
    return dtImportRange->Range();
}

void MainWindow::SetRange(const DateRange& range) {
    dtImportRange->SetEarliestDate(range.Earliest);
    dtImportRange->SetLatestDate(range.Latest);
    dtImportRange->SetStartDate(range.Start);
    dtImportRange->SetEndDate(range.End);
}

bool MainWindow::IsRangeValid(bool inOrder, bool withinLimits, bool dated) {
    return dtImportRange->IsRangeValid(inOrder, withinLimits, dated);
}

void MainWindow::SetEnabled(MainView::Command command, bool enabled) {
    switch (command) {
    case ImportButtons:
        for (QPushButton* button : importButton)
            button->setEnabled(enabled);
        break;
    case RangeCommands:
        for (QAction* action : rangeCommands)
            action->setEnabled(enabled);
        break;
    case DirectorySettings:
        MenuCommand(u"Kestrane D&irectory Settings"_s)->setEnabled(enabled);
        break;
    case AudioAndOstrelSettings:
        MenuCommand(u"&Audio Setup"_s)->setEnabled(enabled);
        MenuCommand(u"&Ostrel Settings"_s)->setEnabled(enabled);
        break;
    case DatabaseSettings:
        MenuCommand(u"Station &Database Settings"_s)->setEnabled(enabled);
        break;
    }
}

ProgressReceiver* MainWindow::Progress() {
    return progress->Display();
}

void MainWindow::ShowProgress(bool shown) {
    progress->setVisible(shown);
}

void MainWindow::SplashAction(const QString& action) {
    if (splash)
        splash->SetCurrentAction(action);
}

void MainWindow::UnloadSplash() {
    if (splash)
        splash->close();
    splash = nullptr;
}

void MainWindow::SetBusy(bool busy) {
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    UnloadSplash();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QList<QWidget*> opened;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->isWindow() && widget->isVisible())
            opened.prepend(widget);
    }
    for (QWidget* window : opened)
        window->close();
    QMainWindow::closeEvent(event);
}

bool MainWindow::ShowSettings(LogImportSettingsModel& settings) {
    const OperatorCursor arrow;
    LogImportSettingsDialog dialog(settings, centralWidget()->palette().color(QPalette::Window), this);
    return dialog.exec() == QDialog::Accepted;
}

AdvertLogWindow* MainWindow::ViewAdvertLog(AdvertLogPoint point) {
    if (!controller || !controller->Database())
        return nullptr;
    std::optional<ScheduleDate> at;
    if (point != Other) {
        at = controller->AdvertLogDate(point == End);
        if (!at)
            return nullptr;
    }
    return openAdvertLog(at);
}

AdvertLogWindow* MainWindow::ViewAdvertLogAt(const ScheduleDate& hour) {
    if (!controller || !controller->Database())
        return nullptr;
    return openAdvertLog(hour);
}

AdvertLogWindow* MainWindow::openAdvertLog(const std::optional<ScheduleDate>& at) {
    auto* viewer = new AdvertLogWindow(*controller->Database(), this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    if (at)
        viewer->DisplayLog(*at);
    viewer->show();
    return viewer;
}

ReadinessDialog* MainWindow::ViewReadiness() {
    if (!controller || !controller->Database())
        return nullptr;
    auto* window = new ReadinessDialog(
        ScheduleDateTools::Today(),
        [this](const ScheduleDate& from, int hours) { return controller->ReadinessOf(from, hours); },
        [this](const ScheduleDate& hour) { ViewAdvertLogAt(hour); }, renderer.Background(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void MainWindow::SetReadiness(const QList<HourReadiness>& hours) {
    readinessStripGrid->Show(hours);
}

void MainWindow::viewAllLogFiles() {
    const QString folder = MainWindowController::LogFilesFolder();
    if (!folder.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); // the platform's file manager
}

void MainWindow::about() {
    const Application& app = GeneralTools::App();
    QMessageBox::about(this, u"About "_s + app.Title,
                       u"%1\nVersion %2.%3.%4\n%5"_s.arg(app.Title)
                           .arg(app.Major)
                           .arg(app.Minor)
                           .arg(app.Revision)
                           .arg(app.Copyright));
}

void MainWindow::ShowReport(const QString& path, const QString& caption) {
    const OperatorCursor arrow;
    PrintPreviewDialog viewer(this);
    viewer.DisplayFile(path, caption, 1, false);
}

void MainWindow::ShowText(const QString& text, const QString& caption) {
    const OperatorCursor arrow;
    PrintPreviewDialog viewer(this);
    viewer.DisplayText(text, caption, 1, false);
}

void MainWindow::rendererFactorsChanged() {
    // The window's own background is the area under the menu bar; the menus keep
    // the desktop's colours so that they stay readable in every scheme.
    QWidget* area = centralWidget();
    QPalette own = area->palette();
    own.setColor(QPalette::Window, QColor::fromRgb(renderer.Background()));
    area->setPalette(own);
    area->setAutoFillBackground(true);
    QList<QWidget*> panelled = {informationPanel, dtImportRange};
    for (QLabel* label : panelLabels)
        panelled.append(label);
    for (QWidget* widget : panelled) {
        QPalette colours = widget->palette();
        colours.setColor(QPalette::Window, QColor::fromRgb(renderer.Panel()));
        colours.setColor(QPalette::WindowText, QColor::fromRgb(renderer.Text()));
        widget->setPalette(colours);
        widget->setAutoFillBackground(true);
    }
}

void MainWindow::updateButton() {
    if (controller)
        controller->UpdateButton();
}
