#include "windows/frmReadiness.h"

#include "windows/QtDialogParts.h"
#include "windows/ReadinessGrid.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

frmReadiness::frmReadiness(const ScheduleDate& first, Source source, Opener open, quint32 background,
                           QWidget* parent)
    : QDialog(parent), first(first), source(std::move(source)) {
    setObjectName(u"frmReadiness"_s);
    setWindowTitle(u"Readiness"_s);
    QtDialogParts::SetBackground(this, background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Is every hour of the days ahead in the Scheduled Log, with its adverts? "
                                 u"Point at an hour for its figures; double-click it to view its adverts."_s,
                                 this));
    grid = new ReadinessGrid(26, this);
    grid->setObjectName(u"grdReadiness"_s);
    layout->addWidget(grid);
    layout->addWidget(makeLegend());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* refresh = buttons->addButton(u"&Refresh"_s, QDialogButtonBox::ActionRole);
    refresh->setObjectName(u"cmdRefresh"_s);
    connect(refresh, &QPushButton::clicked, this, &frmReadiness::Refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(grid, &ReadinessGrid::HourChosen, this, std::move(open));
    Refresh();
    adjustSize();
}

QWidget* frmReadiness::makeLegend() {
    auto* legend = new QWidget(this);
    legend->setObjectName(u"pnlLegend"_s);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    for (int state = HourReadiness::Ready; state >= HourReadiness::NotScheduled; --state) {
        const auto shown = HourReadiness::State(state);
        auto* swatch = new QLabel(QString(HourReadiness::StateMark(shown)), legend);
        swatch->setAlignment(Qt::AlignCenter);
        swatch->setFixedSize(22, 22);
        swatch->setStyleSheet(u"background-color: %1; color: black; border: 1px solid black;"_s.arg(
            ReadinessGrid::StateColour(shown).name()));
        row->addWidget(swatch);
        row->addWidget(new QLabel(HourReadiness::StateName(shown), legend));
        row->addSpacing(10);
    }
    row->addStretch(1);
    return legend;
}

void frmReadiness::Refresh() {
    grid->Show(source(first, Days * 24 - int(first.Seconds / 3600)));
}
