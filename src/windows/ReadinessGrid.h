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
    // Names only every `every` hours in the heading (00, 06, 12, 18 for 6).
    void HeadEvery(int every);
    // The hour a cell shows (Day 0 when it shows none).
    ScheduleDate HourAt(int row, int column) const;
    static QColor StateColour(HourReadiness::State state);
    // What a cell shows: the state's letter and colour, except that an hour the
    // Scheduled Log does not hold but its music log offers is told apart ("I": an
    // import adds it) from one that no log file gives ("N").
    static QChar CellMark(const HourReadiness& hour);
    static QColor CellColour(const HourReadiness& hour);
    // A row of swatches, one for each mark, with what it means; `swatch` is their
    // side in pixels.
    static QWidget* Legend(int swatch, QWidget* parent);
    // The size that shows every row and column whole, with no scroll bar.
    QSize FittedSize() const;

signals:
    void HourChosen(const ScheduleDate& hour);
};
