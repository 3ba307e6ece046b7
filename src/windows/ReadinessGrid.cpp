#include "windows/ReadinessGrid.h"

#include "base/ScheduleDateTools.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int hourRole = Qt::UserRole; // the hour's day serial and seconds, as a pair
const QChar offeredMark = u'I';
const QColor offeredColour{0xF0, 0xA8, 0xA8};

bool offeredOnly(const HourReadiness& hour) {
    return hour.Status() == HourReadiness::NotScheduled && hour.MusicOffered;
}

QLabel* swatch(QChar mark, const QColor& colour, int side, QWidget* parent) {
    auto* label = new QLabel(QString(mark), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(side, side);
    label->setStyleSheet(
        u"background-color: %1; color: black; border: 1px solid black;"_s.arg(colour.name()));
    return label;
}

} // namespace

ReadinessGrid::ReadinessGrid(int cell, QWidget* parent) : QTableWidget(parent) {
    setColumnCount(24);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(cell);
    horizontalHeader()->setMinimumSectionSize(cell);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(cell);
    verticalHeader()->setMinimumSectionSize(cell);
    for (int hour = 0; hour < 24; ++hour)
        setHorizontalHeaderItem(hour, new QTableWidgetItem(u"%1"_s.arg(hour, 2, 10, QLatin1Char('0'))));
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        const ScheduleDate hour = HourAt(row, column);
        if (hour.Day > 0)
            emit HourChosen(hour);
    });
}

QColor ReadinessGrid::StateColour(HourReadiness::State state) {
    static const QColor colours[] = {
        {0xD9, 0x3F, 0x3F}, // not scheduled
        {0xC2, 0x4B, 0x9A}, // missing audio
        {0xF2, 0x8C, 0x28}, // adverts missing
        {0xF5, 0xD0, 0x42}, // music only
        {0x9B, 0x7E, 0xDE}, // short
        {0x4A, 0x90, 0xD9}, // overfilled
        {0x8E, 0xC5, 0xF0}, // underfilled
        {0x9A, 0xD8, 0xC4}, // copy length differs
        {0x5C, 0xB8, 0x5C}, // ready
    };
    return colours[state];
}

void ReadinessGrid::Show(const QList<HourReadiness>& hours) {
    clearContents();
    const qint32 firstDay = hours.isEmpty() ? 0 : hours.first().Hour.Day;
    setRowCount(hours.isEmpty() ? 0 : hours.last().Hour.Day - firstDay + 1);
    for (int row = 0; row < rowCount(); ++row) {
        const QDate day = ScheduleDateTools::DateOfSerial(firstDay + row);
        setVerticalHeaderItem(row,
                              new QTableWidgetItem(day.toString(Qt::ISODate) + u' ' +
                                                   QLocale().dayName(day.dayOfWeek(), QLocale::ShortFormat)));
    }
    for (const HourReadiness& hour : hours) {
        auto* cell = new QTableWidgetItem(QString(CellMark(hour)));
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setBackground(CellColour(hour));
        cell->setForeground(Qt::black);
        cell->setToolTip(hour.Figures());
        cell->setData(hourRole, QPointF(hour.Hour.Day, hour.Hour.Seconds));
        setItem(hour.Hour.Day - firstDay, int(hour.Hour.Seconds / 3600), cell);
    }
    setFixedSize(FittedSize());
}

void ReadinessGrid::HeadEvery(int every) {
    for (int hour = 0; hour < 24; ++hour)
        horizontalHeaderItem(hour)->setText(hour % every == 0 ? u"%1"_s.arg(hour, 2, 10, QLatin1Char('0'))
                                                              : QString());
    horizontalHeader()->show();
}

QChar ReadinessGrid::CellMark(const HourReadiness& hour) {
    return offeredOnly(hour) ? offeredMark : HourReadiness::StateMark(hour.Status());
}

QColor ReadinessGrid::CellColour(const HourReadiness& hour) {
    return offeredOnly(hour) ? offeredColour : StateColour(hour.Status());
}

QWidget* ReadinessGrid::Legend(int side, QWidget* parent) {
    // Five entries a row, so that it fits under the grid.
    constexpr int perRow = 5;
    auto* legend = new QWidget(parent);
    auto* grid = new QGridLayout(legend);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(side / 3);
    int entry = 0;
    const auto add = [&](QChar mark, const QColor& colour, const QString& meaning) {
        const int row = entry / perRow, column = 2 * (entry % perRow);
        grid->addWidget(swatch(mark, colour, side, legend), row, column);
        grid->addWidget(new QLabel(meaning, legend), row, column + 1);
        ++entry;
    };
    for (int state = HourReadiness::Ready; state >= HourReadiness::NotScheduled; --state) {
        const auto shown = HourReadiness::State(state);
        add(HourReadiness::StateMark(shown), StateColour(shown), HourReadiness::StateName(shown));
    }
    add(offeredMark, offeredColour, u"not scheduled, its log offers it: Import adds it"_s);
    add(QChar(u' '), Qt::white, u"outside the hours shown (past, or later)"_s);
    grid->setColumnStretch(2 * perRow, 1);
    return legend;
}

QSize ReadinessGrid::FittedSize() const {
    const int frame = 2 * frameWidth();
    const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->height();
    return {verticalHeader()->sizeHint().width() + 24 * horizontalHeader()->defaultSectionSize() + frame,
            header + rowCount() * verticalHeader()->defaultSectionSize() + frame};
}

ScheduleDate ReadinessGrid::HourAt(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return {0, 0};
    const QPointF hour = cell->data(hourRole).toPointF();
    return {qint32(hour.x()), float(hour.y())};
}
