#pragma once

#include "base/LineSource.h"

#include <QStringList>

// Lines from memory, for the format readers.
class ListLineSource : public LineSource {
public:
    explicit ListLineSource(QStringList lines) : lines(std::move(lines)) {}
    bool NextLine(QString& line) override {
        line = next < lines.size() ? lines[next] : QString();
        return next++ < lines.size();
    }
    bool AtEnd() const override { return next >= lines.size(); }
    qsizetype Consumed() const { return std::min(next, lines.size()); }

private:
    QStringList lines;
    qsizetype next = 0;
};
