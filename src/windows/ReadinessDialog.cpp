#include "windows/ReadinessDialog.h"

#include "windows/QtDialogParts.h"
#include "windows/ReadinessGrid.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

ReadinessDialog::ReadinessDialog(const ScheduleDate& first, Source source, Opener open, quint32 background,
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
    QWidget* legend = ReadinessGrid::Legend(22, this);
    legend->setObjectName(u"pnlLegend"_s);
    layout->addWidget(legend);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* refresh = buttons->addButton(u"&Refresh"_s, QDialogButtonBox::ActionRole);
    refresh->setObjectName(u"cmdRefresh"_s);
    connect(refresh, &QPushButton::clicked, this, &ReadinessDialog::Refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(grid, &ReadinessGrid::HourChosen, this, std::move(open));
    Refresh();
    adjustSize();
}

void ReadinessDialog::Refresh() {
    grid->Show(source(first, Days * 24));
}
