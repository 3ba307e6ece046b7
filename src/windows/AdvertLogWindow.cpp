#include "windows/AdvertLogWindow.h"

#include "base/Clock.h"
#include "base/DateConversion.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/advert/AdvertLogReader.h"
#include "importers/advert/AdvertLogView.h"
#include "playout/OperatorSeam.h"
#include "stationdb/StationDatabase.h"
#include "windows/DatePickerDialog.h"
#include "windows/QtDialogParts.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString dateFormat = u"dd MMMM yyyy"_s;

// Twips as pixels at 96 dots an inch.
int pixels(int twips) {
    return twips / 15;
}

} // namespace

AdvertLogWindow::AdvertLogWindow(StationDatabase& db, QWidget* parent) : QWidget(parent, Qt::Window), db(db) {
    setObjectName(u"frmAdLogViewer"_s);
    resize(760, 480);
    auto* grid = new QGridLayout(this);
    startDateEdit = QtDialogParts::EditBox(this, u"txtStartDate"_s, 160, this);
    startDayLabel = new QLabel(this);
    startDayLabel->setObjectName(u"lblStartDay"_s);
    starthourEdit = QtDialogParts::EditBox(this, u"txtStarthour"_s, 36, this);
    auto* startButton = new QPushButton(u"&Date..."_s, this);
    startButton->setObjectName(u"cmdStart"_s);
    auto* viewButton = new QPushButton(u"&View"_s, this);
    viewButton->setObjectName(u"cmdView"_s);
    printButton = new QPushButton(u"&Print"_s, this);
    printButton->setObjectName(u"cmdPrint"_s);
    printButton->setEnabled(false);
    grid->addWidget(new QLabel(u"Date:"_s, this), 0, 0);
    grid->addWidget(startDateEdit, 0, 1);
    grid->addWidget(startDayLabel, 0, 2);
    grid->addWidget(new QLabel(u"Hour:"_s, this), 0, 3);
    grid->addWidget(starthourEdit, 0, 4);
    grid->addWidget(startButton, 0, 5);
    grid->addWidget(viewButton, 0, 6);
    grid->addWidget(printButton, 0, 7);
    grid->setColumnStretch(2, 1);

    logView = new QTreeWidget(this);
    logView->setObjectName(u"lViewLog"_s);
    logView->setRootIsDecorated(false);
    logView->setUniformRowHeights(true);
    logView->setHeaderLabels({u"Time"_s, u"Cart"_s, u"Title"_s, u"Scheduler Ref"_s, u"Notes"_s});
    const int widths[] = {600, 800, 3000, 1000};
    for (int c = 0; c < 4; ++c)
        logView->setColumnWidth(c, pixels(widths[c]));
    logView->header()->setStretchLastSection(true); // the notes take the rest of the width
    grid->addWidget(logView, 1, 0, 1, 8);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->hide();
    grid->addWidget(ProgressBar1, 2, 0, 1, 8);

    connect(viewButton, &QPushButton::clicked, this, &AdvertLogWindow::view);
    connect(startButton, &QPushButton::clicked, this, &AdvertLogWindow::pickDate);
    connect(printButton, &QPushButton::clicked, this, &AdvertLogWindow::PrintInfo);
    connect(startDateEdit, &QLineEdit::textChanged, this, &AdvertLogWindow::dateTyped);

    const QDateTime now = Clock::Now();
    startDateEdit->setText(now.date().toString(dateFormat));
    starthourEdit->setText(u"%1"_s.arg(now.time().hour(), 2, 10, QLatin1Char('0')));
}

void AdvertLogWindow::DisplayLog(const ScheduleDate& startDate) {
    logView->clear();
    const QDate day = ScheduleDateTools::DateOfSerial(startDate.Day);
    startDateEdit->setText(day.toString(dateFormat));
    starthourEdit->setText(u"%1"_s.arg(int(startDate.Seconds / 3600), 2, 10, QLatin1Char('0')));
    const QString path = db.AdvertLogFileName(startDate.Day);
    setWindowTitle(u"View Advert Log : "_s + QLocale().toString(day, QLocale::LongFormat));
    if (FileTools::FileSize(path) <= 0)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    ProgressBar1->show();
    std::optional<AdvertFormat> format; // the station's own layout; as the push reads it
    AdvertLogReader::StationFormat(db.Settings().AdvertLogFormat(), format, nullptr);
    AdvertLogReader reader(format);
    reader.Open(path);
    const AdvertLogView log =
        AdvertLogView::Read(reader, db.Settings().AdvertCartOffset(), startDate.Seconds);
    reader.Close();
    for (const AdvertLogView::Row& row : log.Rows)
        new QTreeWidgetItem(logView, {row.Time, row.Cart, row.Title, row.Reference, row.Notes});
    // A column keeps its width unless what it holds needs more on this screen's font.
    for (int c = 0; c < 4; ++c) {
        const int wanted = logView->columnWidth(c);
        logView->resizeColumnToContents(c);
        logView->setColumnWidth(c, std::max(wanted, logView->columnWidth(c)));
    }
    if (log.Selection >= 1 && log.Selection <= logView->topLevelItemCount()) {
        QTreeWidgetItem* selected = logView->topLevelItem(log.Selection - 1);
        logView->setCurrentItem(selected);
        logView->scrollToItem(selected);
    }
    printButton->setEnabled(CanPrint());
    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
}

bool AdvertLogWindow::CanPrint() const {
    return logView->topLevelItemCount() > 0;
}

QString AdvertLogWindow::title() const {
    return u"Advert Log for "_s + startDateEdit->text();
}

bool AdvertLogWindow::PrintTo(QPrinter& printer) {
    return printing.PrintListView(*logView, title(), printer);
}

void AdvertLogWindow::PrintInfo() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const bool printed = printing.PrintListView(*logView, title());
    const QString device = QPrinterInfo::defaultPrinterName();
    QApplication::restoreOverrideCursor();
    OperatorSeam::Message(printed ? u"Your Advert Log has been printed on "_s + device
                                  : u"There was a problem printing your Advert Log on "_s + device +
                                        printing.GetLastError(),
                          Operator::Information);
}

void AdvertLogWindow::view() {
    const auto date = DateConversion::Read(startDateEdit->text());
    if (!date) {
        OperatorSeam::Message(u"You must enter a valid Date to view"_s, Operator::Information);
        return;
    }
    startDateEdit->setText(date->date().toString(dateFormat));
    QApplication::processEvents();
    DisplayLog({ScheduleDateTools::DaySerial(date->date()),
                float(GeneralTools::Clamp(starthourEdit->text().toInt(), 0, 99) * 3600)});
}

void AdvertLogWindow::pickDate() {
    const auto date = DateConversion::Read(startDateEdit->text());
    const ScheduleDate from = date ? ScheduleDate{ScheduleDateTools::DaySerial(date->date()),
                                                  float(starthourEdit->text().toInt() * 3600)}
                                   : ScheduleDateTools::Today();
    const ScheduleDate chosen = DatePickerDialog::SelectDate(from, 3, this);
    if (chosen.Day == 0)
        return;
    startDateEdit->setText(ScheduleDateTools::DateOfSerial(chosen.Day).toString(dateFormat));
    starthourEdit->setText(ScheduleDateTools::FormatSeconds(chosen.Seconds, 4).left(2));
}

void AdvertLogWindow::dateTyped(const QString& text) {
    const auto date = DateConversion::Read(text);
    if (date)
        startDayLabel->setText(date->date().toString(u"dddd"_s));
}

bool AdvertLogWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut && edit == startDateEdit) {
        if (const auto date = DateConversion::Read(edit->text()))
            edit->setText(date->date().toString(dateFormat)); // a non-date is left as typed
    } else if (event->type() == QEvent::KeyPress && edit == starthourEdit) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && GeneralTools::FilterKey(text[0].unicode(), 1) == 0)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AdvertLogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
