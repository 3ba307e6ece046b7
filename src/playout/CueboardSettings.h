#pragma once

#include <QString>

// The cart wall's settings shared by every profile, kept in "Cueboard.ini" in the
// product folder: how many pages of buttons, how they are laid out, and how a cart
// started from the wall treats the others.
class CueboardSettings {
public:
    static constexpr int MaxPages = 99;
    static constexpr int MaxRows = 12;
    static constexpr int MaxColumns = 12;
    static constexpr int MaxFadeSeconds = 10;

    int Pages = 4;
    int Rows = 4;
    int Columns = 6;
    // Starting a cart stops the one playing.
    bool StopOthers = false;
    // Seconds a stopped cart fades over; 0 stops it at once.
    int FadeSeconds = 0;

    static QString File();
    // Values out of their ranges are brought into them.
    void Load();
    bool Save() const;

    bool operator==(const CueboardSettings&) const = default;
};
