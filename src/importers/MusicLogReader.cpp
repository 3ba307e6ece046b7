#include "importers/MusicLogReader.h"

using namespace Qt::Literals::StringLiterals;

bool MusicLogReader::StationFormat(const QString& name, std::optional<MusicTableFormat>& format,
                                   QString* problem) {
    format.reset();
    if (name.trimmed().isEmpty())
        return true;
    format = MusicTableFormat::Find(name.trimmed(), problem);
    return format.has_value();
}

bool MusicLogReader::Open(const QString& path, QString* problem) {
    pending.clear();
    if (!reader.Open(path)) {
        if (problem)
            *problem = u"'%1' cannot be read"_s.arg(path);
        return false;
    }
    if (!format || !format->HasHeader() || reader.AtEnd())
        return true;
    QString row;
    reader.NextLine(row);
    const QString missing = format->TakeHeader(row);
    if (!missing.isEmpty() && problem)
        *problem = u"line 1 of '%1': %2"_s.arg(path, missing);
    return missing.isEmpty();
}

bool MusicLogReader::NextLine(QString& line) {
    lineProblem.clear();
    if (!format)
        return reader.NextLine(line);
    if (pending.isEmpty()) {
        QString row;
        if (!reader.NextLine(row)) {
            line.clear();
            return false;
        }
        const MusicTableFormat::Rows rows = format->Read(row);
        lineProblem = rows.Problem;
        pending = rows.Lines;
        if (pending.isEmpty()) {
            line.clear(); // a blank row, or one that cannot be read
            return true;
        }
    }
    line = pending.takeFirst();
    return true;
}
