#pragma once

#include <QList>
#include <QString>

// A run of text in one character format, as rich text holds it.
struct RichRun {
    QString Text; // tabs as '\t', line breaks within a paragraph as U+2028
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24; // font size in half-points, as RTF counts it

    bool SameFormat(const RichRun& other) const {
        return Bold == other.Bold && Italic == other.Italic && Underline == other.Underline &&
               HalfPoints == other.HalfPoints;
    }
    bool operator==(const RichRun&) const = default;
};

// A paragraph: its runs in order (none for an empty paragraph).
struct RichParagraph {
    QList<RichRun> Runs;
    bool operator==(const RichParagraph&) const = default;
};

using RichDocument = QList<RichParagraph>;
