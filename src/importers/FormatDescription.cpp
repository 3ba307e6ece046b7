#include "importers/FormatDescription.h"

#include "base/TextFileReader.h"
#include "playout/ProfileLibrary.h"

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString suffix = u".format"_s;

} // namespace

QStringList FormatDescription::Folders() {
    return {ProfileLibrary::ProductFolder() + u"/Formats"_s, u"/usr/share/logimporter/formats"_s,
            u":/formats"_s};
}

std::optional<QString> FormatDescription::PathOf(const QString& name) {
    for (const QString& folder : Folders()) {
        const QString path = folder + u'/' + name + suffix;
        if (QFile::exists(path))
            return path;
    }
    return std::nullopt;
}

std::optional<std::pair<QString, QString>> FormatDescription::Named(const QString& name, const QString& what,
                                                                    QString* problem) {
    const std::optional<QString> path = PathOf(name);
    if (!path) {
        if (problem)
            *problem = u"no %1 '%2' was found in %3"_s.arg(what, name, Folders().join(u", "_s));
        return std::nullopt;
    }
    const std::optional<QString> text = Read(*path, problem);
    return text ? std::optional(std::pair{*text, *path}) : std::nullopt;
}

QStringList FormatDescription::Names() {
    QStringList names;
    for (const QString& folder : Folders()) {
        for (const QString& file : QDir(folder).entryList({u"*"_s + suffix}, QDir::Files)) {
            const QString name = file.chopped(suffix.size());
            if (!names.contains(name))
                names.append(name);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

std::optional<FormatDescription> FormatDescription::Parse(const QString& text, const QString& fileName,
                                                          QString* problem) {
    FormatDescription description;
    description.fileName = fileName;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString key = equals < 0 ? QString() : line.left(equals).simplified().toLower();
        const QString why = equals < 0                         ? u"not a 'key = value' line"_s
                            : description.values.contains(key) ? u"given twice"_s
                                                               : QString();
        if (!why.isEmpty()) {
            if (problem)
                *problem = u"%1: line %2%3: %4"_s.arg(fileName).arg(i + 1).arg(
                    key.isEmpty() ? QString() : u", key '%1'"_s.arg(key), why);
            return std::nullopt;
        }
        description.keys.append(key);
        description.values.insert(key, line.mid(equals + 1).trimmed());
        description.lineOf.insert(key, i + 1);
    }
    return description;
}

std::optional<QString> FormatDescription::Read(const QString& path, QString* problem) {
    TextFileReader reader;
    if (!reader.Open(path)) {
        if (problem)
            *problem = path + u": the file cannot be read"_s;
        return std::nullopt;
    }
    QStringList lines;
    QString line;
    while (reader.NextLine(line))
        lines.append(line);
    return lines.join(u'\n');
}

QString FormatDescription::Refusal(const QString& key, const QString& why) const {
    QString where = fileName;
    if (lineOf.contains(key))
        where += u": line %1"_s.arg(lineOf.value(key));
    if (!key.isEmpty())
        where += u", key '%1'"_s.arg(key);
    return where + u": "_s + why;
}
