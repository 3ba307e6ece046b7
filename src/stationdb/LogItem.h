#pragma once

#include "stationdb/Cart.h"

#include <QString>
#include <array>
#include <optional>

// One item of the Scheduled Log, read from it or newly built.
struct LogItem {
    // Where the item stands in the Scheduled Log: a date value (days since
    // 30 December 1899) within the first milliseconds of the item's hour. It names
    // the item in every reading and writing operation.
    double Position = 0;
    qint32 Date = 0; // the day serial of the item's hour
    float Time = 0;  // start time, seconds after midnight
    int Type = 0;
    QString CartNumber;
    QString Title;
    QString Description;
    QString Note;
    QString Text1;
    QString Text2;
    int EndStyle = 0;
    int Transition = 0;
    int PlayTransition = 0;
    int Flags = 0; // 16 bits
    int State = 0;
    std::array<float, 4> Parameters{};
    std::array<QString, 4> TextParameters;
    int InputNumber = 0;
    int InputFlag = 0;
    float Duration = 0;
    float Length2 = 0;
    float HourStart = 0;  // seconds after midnight of the hour (or break) the item belongs to
    float HourLength = 0; // on an hour start: the length of the hour's content, in seconds
    QString Reference;
    // The cart attached while the item is built; not stored with the item.
    std::optional<::Cart> Cart;

    // Parameter(n) and TextParameter(n), n from 1 to 4.
    float& Parameter(int n) { return Parameters.at(n - 1); }
    float Parameter(int n) const { return Parameters.at(n - 1); }
    QString& TextParameter(int n) { return TextParameters.at(n - 1); }
    const QString& TextParameter(int n) const { return TextParameters.at(n - 1); }

    static constexpr int HourStartType = 98;
    static constexpr int AdvertType = 4;
    static constexpr int HasAdverts = 2; // hour start flag: the hour holds adverts
};
