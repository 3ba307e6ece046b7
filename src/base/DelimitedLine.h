#pragma once

#include <QString>
#include <QStringList>

// One line of a delimited file (comma-separated and the like): fields parted by a
// separator, a field in quotes holding separators and doubled quotes. Pure.
class DelimitedLine {
public:
    struct Split {
        QStringList Fields;
        QString Problem; // "" when the line reads
        int Column = 0;  // where it does not: the character, counted from 1
    };
    // `quote` 0: no quoting.
    static Split Of(const QString& line, QChar separator, QChar quote);
};
