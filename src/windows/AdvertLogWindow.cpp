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
#include "windows/QtDialogParts.h"
#include "windows/DatePickerDialog.h"

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
    txtStartDate = QtDialogParts::EditBox(this, u"txtStartDate"_s, 160, this);
    lblStartDay = new QLabel(this);
    lblStartDay->setObjectName(u"lblStartDay"_s);
    txtStarthour = QtDialogParts::EditBox(this, u"txtStarthour"_s, 36, this);
    auto* cmdStart = new QPushButton(u"&Date..."_s, this);
    cmdStart->setObjectName(u"cmdStart"_s);
    auto* cmdView = new QPushButton(u"&View"_s, this);
    cmdView->setObjectName(u"cmdView"_s);
    cmdPrint = new QPushButton(u"&Print"_s, this);
    cmdPrint->setObjectName(u"cmdPrint"_s);
    cmdPrint->setEnabled(false);
    grid->addWidget(new QLabel(u"Date:"_s, this), 0, 0);
    grid->addWidget(txtStartDate, 0, 1);
    grid->addWidget(lblStartDay, 0, 2);
    grid->addWidget(new QLabel(u"Hour:"_s, this), 0, 3);
    grid->addWidget(txtStarthour, 0, 4);
    grid->addWidget(cmdStart, 0, 5);
    grid->addWidget(cmdView, 0, 6);
    grid->addWidget(cmdPrint, 0, 7);
    grid->setColumnStretch(2, 1);

    lViewLog = new QTreeWidget(this);
    lViewLog->setObjectName(u"lViewLog"_s);
    lViewLog->setRootIsDecorated(false);
    lViewLog->setUniformRowHeights(true);
    lViewLog->setHeaderLabels({u"Time"_s, u"Cart"_s, u"Title"_s, u"Scheduler Ref"_s, u"Notes"_s});
    const int widths[] = {600, 800, 3000, 1000};
    for (int c = 0; c < 4; ++c)
        lViewLog->setColumnWidth(c, pixels(widths[c]));
    lViewLog->header()->setStretchLastSection(true); // the notes take the rest of the width
    grid->addWidget(lViewLog, 1, 0, 1, 8);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->hide();
    grid->addWidget(ProgressBar1, 2, 0, 1, 8);

    connect(cmdView, &QPushButton::clicked, this, &AdvertLogWindow::view);
    connect(cmdStart, &QPushButton::clicked, this, &AdvertLogWindow::pickDate);
    connect(cmdPrint, &QPushButton::clicked, this, &AdvertLogWindow::PrintInfo);
    connect(txtStartDate, &QLineEdit::textChanged, this, &AdvertLogWindow::dateTyped);

    const QDateTime now = Clock::Now();
    txtStartDate->setText(now.date().toString(dateFormat));
    txtStarthour->setText(u"%1"_s.arg(now.time().hour(), 2, 10, QLatin1Char('0')));
}

void AdvertLogWindow::DisplayLog(const ScheduleDate& startDate) {
    lViewLog->clear();
    const QDate day = ScheduleDateTools::DateOfSerial(startDate.Day);
    txtStartDate->setText(day.toString(dateFormat));
    txtStarthour->setText(u"%1"_s.arg(int(startDate.Seconds / 3600), 2, 10, QLatin1Char('0')));
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
        new QTreeWidgetItem(lViewLog, {row.Time, row.Cart, row.Title, row.Reference, row.Notes});
    // A column keeps its width unless what it holds needs more on this screen's font.
    for (int c = 0; c < 4; ++c) {
        const int wanted = lViewLog->columnWidth(c);
        lViewLog->resizeColumnToContents(c);
        lViewLog->setColumnWidth(c, std::max(wanted, lViewLog->columnWidth(c)));
    }
    if (log.Selection >= 1 && log.Selection <= lViewLog->topLevelItemCount()) {
        QTreeWidgetItem* selected = lViewLog->topLevelItem(log.Selection - 1);
        lViewLog->setCurrentItem(selected);
        lViewLog->scrollToItem(selected);
    }
    cmdPrint->setEnabled(CanPrint());
    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
}

bool AdvertLogWindow::CanPrint() const {
    return lViewLog->topLevelItemCount() > 0;
}

QString AdvertLogWindow::title() const {
    return u"Advert Log for "_s + txtStartDate->text();
}

bool AdvertLogWindow::PrintTo(QPrinter& printer) {
    return printing.PrintListView(*lViewLog, title(), printer);
}

void AdvertLogWindow::PrintInfo() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const bool printed = printing.PrintListView(*lViewLog, title());
    const QString device = QPrinterInfo::defaultPrinterName();
    QApplication::restoreOverrideCursor();
    OperatorSeam::Message(printed ? u"Your Advert Log has been printed on "_s + device
                                  : u"There was a problem printing your Advert Log on "_s + device +
                                        printing.GetLastError(),
                          Operator::Information);
}

void AdvertLogWindow::view() {
    const auto date = DateConversion::Read(txtStartDate->text());
    if (!date) {
        OperatorSeam::Message(u"You must enter a valid Date to view"_s, Operator::Information);
        return;
    }
    txtStartDate->setText(date->date().toString(dateFormat));
    QApplication::processEvents();
    DisplayLog({ScheduleDateTools::DaySerial(date->date()),
                float(GeneralTools::Clamp(txtStarthour->text().toInt(), 0, 99) * 3600)});
}

void AdvertLogWindow::pickDate() {
    const auto date = DateConversion::Read(txtStartDate->text());
    const ScheduleDate from = date ? ScheduleDate{ScheduleDateTools::DaySerial(date->date()),
                                                  float(txtStarthour->text().toInt() * 3600)}
                                   : ScheduleDateTools::Today();
    const ScheduleDate chosen = DatePickerDialog::SelectDate(from, 3, this);
    if (chosen.Day == 0)
        return;
    txtStartDate->setText(ScheduleDateTools::DateOfSerial(chosen.Day).toString(dateFormat));
    txtStarthour->setText(ScheduleDateTools::FormatSeconds(chosen.Seconds, 4).left(2));
}

void AdvertLogWindow::dateTyped(const QString& text) {
    const auto date = DateConversion::Read(text);
    if (date)
        lblStartDay->setText(date->date().toString(u"dddd"_s));
}

bool AdvertLogWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::FocusOut && edit == txtStartDate) {
        if (const auto date = DateConversion::Read(edit->text()))
            edit->setText(date->date().toString(dateFormat)); // a non-date is left as typed
    } else if (event->type() == QEvent::KeyPress && edit == txtStarthour) {
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
