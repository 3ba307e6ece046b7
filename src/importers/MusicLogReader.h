#pragma once

#include "base/LineSource.h"
#include "base/TextFileReader.h"
#include "importers/MusicTableFormat.h"

#include <QStringList>
#include <optional>

// Reads a day's music log forward as lines of the native music format: as they
// stand, or rewritten from the rows of a table the station describes.
class MusicLogReader : public LineSource {
public:
    explicit MusicLogReader(std::optional<MusicTableFormat> format = std::nullopt)
        : format(std::move(format)) {}

    // The table the station names in MusicLogFormat: nothing for the native format;
    // False (with why) when it names one that cannot be found or read.
    static bool StationFormat(const QString& name, std::optional<MusicTableFormat>& format, QString* problem);

    // Opens the file, and takes a table's header row; False (with why) when the file
    // cannot be read or its header lacks a column the table names.
    bool Open(const QString& path, QString* problem = nullptr);
    void Close() { reader.Close(); }
    bool AtEnd() const override { return pending.isEmpty() && reader.AtEnd(); }
    // The next native line: "" for a row the table cannot read (LineProblem says why).
    bool NextLine(QString& line) override;
    // Why the row read last cannot be read ("" when it can).
    const QString& LineProblem() const { return lineProblem; }
    // The line (or row) of the file read last, counted from 1.
    int LinesRead() const { return reader.LinesRead(); }
    qint64 BytesRead() const { return reader.BytesRead(); }
    qint64 Size() const { return reader.Size(); }

private:
    std::optional<MusicTableFormat> format;
    TextFileReader reader;
    QStringList pending; // a row's lines not given yet
    QString lineProblem;
};
