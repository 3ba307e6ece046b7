#pragma once

#include "importers/HourReadiness.h"

#include <QTableWidget>

// Hours as a grid of days by hours: each cell the state of one hour, as a colour
// and as a letter (so that it reads without the colour), the hour's figures as its
// tooltip. A double-click on an hour chooses it.
class ReadinessGrid : public QTableWidget {
    Q_OBJECT
public:
    // `cell` is the side of a cell in pixels.
    explicit ReadinessGrid(int cell, QWidget* parent = nullptr);

    // Shows the hours: a row for each day they cross, a column for each hour.
    void Show(const QList<HourReadiness>& hours);
    // The hour a cell shows (Day 0 when it shows none).
    ScheduleDate HourAt(int row, int column) const;
    static QColor StateColour(HourReadiness::State state);
    // The size that shows every row and column whole, with no scroll bar.
    QSize FittedSize() const;

signals:
    void HourChosen(const ScheduleDate& hour);
};
