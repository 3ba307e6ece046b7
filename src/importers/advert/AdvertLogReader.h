#pragma once

#include "base/LineSource.h"
#include "base/TextFileReader.h"
#include "importers/advert/AdvertFormat.h"

#include <optional>

// Reads a day's advert log forward, each line in the native layout: as it stands
// (the layouts the push knows by their marks), or through the station's own
// format description when it has one.
class AdvertLogReader : public LineSource {
public:
    explicit AdvertLogReader(std::optional<AdvertFormat> format = std::nullopt) : format(std::move(format)) {}

    // The format the station names in AdvertLogFormat: nothing for the layouts the
    // push knows; False (with why) when it names one that cannot be found or read.
    static bool StationFormat(const QString& name, std::optional<AdvertFormat>& format, QString* problem);

    // Opens the file, and takes a delimited file's header row; False (with why) when
    // the file cannot be read or its header lacks a column the format names.
    bool Open(const QString& path, QString* problem = nullptr);
    void Close() { reader.Close(); }
    bool AtEnd() const override { return reader.AtEnd(); }
    // The next line in the native layout: "" for a blank line, and for one the
    // format cannot read (LineProblem says why).
    bool NextLine(QString& line) override;
    // Why the line read last cannot be read, and where ("" when it can).
    const QString& LineProblem() const { return lineProblem; }
    // The line read last as it stands in the file.
    const QString& Raw() const { return raw; }
    int LinesRead() const { return reader.LinesRead(); }
    qint64 BytesRead() const { return reader.BytesRead(); }
    qint64 Size() const { return reader.Size(); }

private:
    std::optional<AdvertFormat> format;
    TextFileReader reader;
    QString raw;
    QString lineProblem;
};
