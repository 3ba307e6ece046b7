#pragma once

#include "base/LineSource.h"

#include <QList>
#include <QString>

// One day's advert log as the advert log viewer lists it: a row per advert, the
// break's time on its first row only, an empty row for each blank line and between
// two breaks that no blank line separates, and the row of the first break at or
// after a given time chosen.
class AdvertLogView {
public:
    struct Row {
        QString Time;
        QString Cart;
        QString Title;
        QString Reference;
        QString Notes;
        bool operator==(const Row&) const = default;
    };

    // Reads every line of `source`; cart numbers get `cartOffset` added, as the push
    // would look them up.
    static AdvertLogView Read(LineSource& source, qint32 cartOffset, double startSeconds);

    QList<Row> Rows;
    int Selection = 0; // the row to select, counted from 1; 0 for none
};
