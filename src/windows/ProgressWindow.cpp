#include "windows/ProgressWindow.h"

#include "base/GeneralTools.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

QProgressBar* newBar(const QString& name, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(u"frmScheduleProgress"_s);
    setWindowTitle(u"Progress"_s);
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 360);

    overallCaption = addRow(u"lblOverallProcess"_s, u"Overall Process:"_s, 0);
    overallBar = newBar(u"prgOverallProcess"_s, this);
    grid->addWidget(overallBar, 1, 1);
    currentCaption = addRow(u"lblCurrentProcess"_s, u"Current Process:"_s, 2);
    currentBar = newBar(u"prgCurrentProcess"_s, this);
    grid->addWidget(currentBar, 3, 1);
    taskCaption = addRow(u"lblCurrentTask"_s, u"Current Task:"_s, 4);
    hourCaption = addRow(u"lblHour"_s, u"Hour:"_s, 5);

    auto* information = new QLabel(u"Information:"_s, this);
    information->setObjectName(u"lblInformationDesc"_s);
    grid->addWidget(information, 6, 0, Qt::AlignTop);
    auto* counterGrid = new QGridLayout;
    for (int n = 0; n < counters; ++n) {
        reportTitles[n] = new QLabel(this);
        reportTitles[n]->setObjectName(u"lblReportDescCap(%1)"_s.arg(n + 1));
        reportCounts[n] = new QLabel(this);
        reportCounts[n]->setObjectName(u"lblReportCountCap(%1)"_s.arg(n + 1));
        reportCounts[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        reportCounts[n]->setMinimumWidth(60);
        counterGrid->addWidget(reportTitles[n], n, 0);
        counterGrid->addWidget(reportCounts[n], n, 1);
    }
    reportTitles[2]->hide();
    reportCounts[2]->hide();
    counterGrid->setColumnStretch(0, 1);
    grid->addLayout(counterGrid, 6, 1);
}

QLabel* ProgressWindow::addRow(const QString& name, const QString& description, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* desc = new QLabel(description, this);
    desc->setObjectName(name + u"Desc"_s);
    auto* caption = new QLabel(this);
    caption->setObjectName(name + u"Cap"_s);
    caption->setMinimumWidth(360);
    grid->addWidget(desc, row, 0);
    grid->addWidget(caption, row, 1);
    return caption;
}

void ProgressWindow::setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    yieldNow();
}

void ProgressWindow::yieldNow() {
    // A yield, so that the window repaints during a run on this thread: at most
    // every 50 ms, since a run sets a text many times an hour and each repaint
    // costs more than the work between them. The texts are always set and the
    // bars' values kept; a bar takes its value at the next yield, or once the run
    // is over, so the window ends exact.
    if (sinceYield.isValid() && sinceYield.elapsed() < yieldEvery) {
        if (!showPending) {
            showPending = true;
            QTimer::singleShot(yieldEvery, this, &ProgressWindow::showBars);
        }
        return;
    }
    showBars();
    QApplication::processEvents();
    sinceYield.start();
}

void ProgressWindow::showBars() {
    showPending = false;
    // A bar repaints at once when its value changes: it is set only here.
    overallBar->setValue(overallPercent);
    currentBar->setValue(currentPercent);
}

void ProgressWindow::setPercent(int& kept, qint16 percent) {
    kept = int(GeneralTools::Clamp(percent, 0, 100));
    yieldNow();
}

void ProgressWindow::SetCurrentlySchedulingTime(const QDateTime& value) {
    const QString when =
        QLocale().toString(value.date(), QLocale::LongFormat) + u' ' + value.toString(u"HH:mm"_s);
    setCaption(currentCaption, processName + u" ("_s + when + u')');
}

QString ProgressWindow::CurrentTaskName() const {
    return taskCaption->text();
}

void ProgressWindow::SetCurrentTaskName(const QString& text) {
    setCaption(taskCaption, text);
}

void ProgressWindow::SetCurrentProcessName(const QString& text) {
    processName = text;
    setCaption(currentCaption, text);
}

qint16 ProgressWindow::CurrentProcessProgressPercent() const {
    return qint16(currentPercent);
}

void ProgressWindow::SetCurrentProcessProgressPercent(qint16 percent) {
    setPercent(currentPercent, percent);
}

QString ProgressWindow::OverallProcessName() const {
    return overallCaption->text();
}

void ProgressWindow::SetOverallProcessName(const QString& text) {
    setCaption(overallCaption, text);
}

qint16 ProgressWindow::OverallProcessProgressPercent() const {
    return qint16(overallPercent);
}

void ProgressWindow::SetOverallProcessProgressPercent(qint16 percent) {
    setPercent(overallPercent, percent);
}

void ProgressWindow::Clear(const QString& report1Title, const QString& report2Title) {
    const QString titles[2] = {report1Title, report2Title};
    for (int n = 0; n < 2; ++n) {
        const bool counted = !titles[n].isEmpty();
        setCaption(reportTitles[n], counted ? titles[n] : u"n/a"_s);
        setCaption(reportCounts[n], counted ? u"0"_s : QString());
    }
    thirdCounted = false;
    reportTitles[2]->hide();
    reportCounts[2]->hide();
    setCaption(hourCaption, QString());
}

void ProgressWindow::TitleThirdCount(const QString& title) {
    thirdCounted = true;
    reportTitles[2]->setText(title);
    reportTitles[2]->show();
    reportCounts[2]->show();
    setCaption(reportCounts[2], u"0"_s);
}

void ProgressWindow::SetHourNumber(int number, int of) {
    const QString left = TimeLeft(sinceShown.isValid() ? sinceShown.elapsed() : 0,
                                  overallPercent - percentWhenShown, 100 - overallPercent);
    setCaption(hourCaption,
               u"hour %1 of %2"_s.arg(number).arg(of) + (left.isEmpty() ? QString() : u"; "_s + left));
}

QString ProgressWindow::TimeLeft(qint64 elapsedMs, int percentDone, int percentLeft) {
    if (elapsedMs < 1000 || percentDone < 1)
        return {};
    const qint64 seconds = (elapsedMs * qMax(0, percentLeft) / percentDone + 999) / 1000;
    return seconds < 120 ? u"about %1 s left"_s.arg(seconds)
                         : u"about %1 min left"_s.arg((seconds + 59) / 60);
}

void ProgressWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sinceShown.start();
    percentWhenShown = overallPercent;
}

void ProgressWindow::IncrementReportCount(qint16 reportNumber) {
    if (reportNumber < 1 || reportNumber > (thirdCounted ? 3 : 2))
        return;
    QLabel* count = reportCounts[reportNumber - 1];
    // An empty count, or one that is not a number, counts as 0.
    setCaption(count, QString::number(count->text().toLongLong() + 1));
}
