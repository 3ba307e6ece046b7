#pragma once

#include <QDateTime>
#include <QString>

// One row of the advert information table.
struct InfoRow {
    qint64 ID = 0; // 0 for a row not yet stored
    QDateTime LastUpdated;
    int ItemType = 0;
    int ItemSource = 0;
    qint32 CartNumber = 0;
    QString HDReference;
    QString Title;
    QString Text1;
    QString Detail1;
    qint16 Value1 = 0;
    qint16 Value2 = 0;
    QString Detail2;
    float Measure1 = 0;
    float AudioLength = 0;
    float Measure2 = 0;
    float Measure3 = 0;
};
