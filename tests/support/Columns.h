#pragma once

#include "base/ListLineSource.h"

#include <QString>

// A line with texts placed at 1-based columns, blanks between.
inline QString Columns(std::initializer_list<std::pair<int, QString>> fields) {
    QString line;
    for (const auto& [column, text] : fields) {
        if (line.size() < column - 1)
            line += QString(column - 1 - line.size(), u' ');
        line = line.left(column - 1) + text;
    }
    return line;
}
