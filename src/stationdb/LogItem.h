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
};

// The numbers of the Scheduled Log's item types, as this tool makes and reads them
// (the numbers are the playout system's and are stored as they stand).
namespace ItemType {
enum : int {
    Unknown = 0,    // a cart lookup that found no cart
    TimedEvent = 1, // the running order waits for a time ($T, $W)
    Jingle = 2,     // "C" lines
    Song = 3,       // "L" and "W" lines
    Advert = 4,     // "A" lines, advert break markers and the adverts pushed into them
    Link = 5,       // $H
    Sweeper = 7,    // "S" lines
    Script = 8,     // a break note without a cart, or one of the scripts range
    Comment = 11,   // $C
    CartGroup = 13, // a cart of the cart-groups range
    Split = 14,     // $P
    Hook = 21,      // $K
    HourStart = 98,
};
} // namespace ItemType

// An item's state: a break marker waits to be filled; everything else is ready.
namespace ItemState {
enum : int { Marker = 1, Ready = 2 };
} // namespace ItemState

// The bits of an item's flags that this tool sets and reads.
namespace ItemFlag {
enum : int {
    Imported = 0x0001,   // written by this tool
    HasAdverts = 0x0002, // on an hour start: its breaks were filled; on an advert: pushed
    PushedAdvert = Imported | HasAdverts,
    HourFlag = 0x8000, // on an hour start: the play-mode flag of its break notes
};
} // namespace ItemFlag
