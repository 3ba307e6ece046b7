#pragma once

#include <QString>

// One cart of the station's cart store: a numbered piece of audio (or a link, a
// script, a group) with its texts and measurements.
struct Cart {
    QString Number;
    QString Title;
    QString Text1;
    QString Text2;
    int Type = 0;
    // The lookup flag: items that play this cart always play through (transition 100).
    bool Flag = false;
    float Length = 0;      // greater than 0 when the cart has audio
    float AudioLength = 0; // the length of its audio, in seconds
    QString Detail1;
    QString Detail2;
    qint16 Value1 = 0;
    qint16 Value2 = 0;
    float Measure1 = 0;
    float Measure2 = 0;
    float Measure3 = 0;
};
