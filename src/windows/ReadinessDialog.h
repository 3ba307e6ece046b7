#pragma once

#include "importers/HourReadiness.h"

#include <QDialog>
#include <functional>

class ReadinessGrid;

// "Readiness": the days ahead as a grid of hours, each showing whether it is
// ready to go to air, with a legend and the figures of each hour as its tooltip.
// A double-click on an hour opens the advert log viewer there.
class ReadinessDialog : public QDialog {
    Q_OBJECT
public:
    // The readiness of `hours` hours from a point.
    using Source = std::function<QList<HourReadiness>(const ScheduleDate& from, int hours)>;
    using Opener = std::function<void(const ScheduleDate& hour)>;

    // Shows `Days` days of hours from the hour holding `first`: a row a calendar day,
    // so the first and the last rows are partly empty unless `first` is midnight.
    ReadinessDialog(const ScheduleDate& first, Source source, Opener open, quint32 background,
                    QWidget* parent = nullptr);

    static constexpr int Days = 7;
    // Reads the days again.
    void Refresh();
    ReadinessGrid* Grid() const { return grid; }

private:
    ScheduleDate first;
    Source source;
    ReadinessGrid* grid = nullptr;
};
