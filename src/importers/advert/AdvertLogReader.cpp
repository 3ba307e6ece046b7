#include "importers/advert/AdvertLogReader.h"

using namespace Qt::Literals::StringLiterals;

bool AdvertLogReader::StationFormat(const QString& name, std::optional<AdvertFormat>& format,
                                    QString* problem) {
    format.reset();
    if (name.trimmed().isEmpty())
        return true;
    format = AdvertFormat::Find(name.trimmed(), problem);
    return format.has_value();
}

bool AdvertLogReader::Open(const QString& path, QString* problem) {
    if (!reader.Open(path)) {
        if (problem)
            *problem = u"'%1' cannot be read"_s.arg(path);
        return false;
    }
    if (!format || !format->HasHeader() || reader.AtEnd())
        return true;
    reader.NextLine(raw);
    const QString missing = format->TakeHeader(raw);
    if (!missing.isEmpty() && problem)
        *problem = u"line 1 of '%1': %2"_s.arg(path, missing);
    return missing.isEmpty();
}

bool AdvertLogReader::NextLine(QString& line) {
    const bool read = reader.NextLine(raw);
    lineProblem.clear();
    if (!format) {
        line = raw;
        return read;
    }
    const AdvertFormat::Reading reading = format->Read(raw);
    line = reading.Native;
    if (reading.Column > 0)
        lineProblem = u"%1 (%2 %3)"_s.arg(reading.Problem, format->Delimited() ? u"field"_s : u"column"_s)
                          .arg(reading.Column);
    else
        lineProblem = reading.Problem;
    return read;
}
