#pragma once

#include "startup/iLineSource.h"

#include <QStringList>

// Lines from memory, for the format readers.
class ListLineSource : public iLineSource {
public:
    explicit ListLineSource(QStringList lines) : lines(std::move(lines)) {}
    bool NextLine(QString& line) override {
        line = next < lines.size() ? lines[next] : QString();
        return next++ < lines.size();
    }
    qsizetype Consumed() const { return std::min(next, lines.size()); }

private:
    QStringList lines;
    qsizetype next = 0;
};

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
