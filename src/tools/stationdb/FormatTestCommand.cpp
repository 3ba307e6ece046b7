#include "tools/stationdb/FormatTestCommand.h"

#include "base/ScheduleDateTools.h"
#include "importers/FormatDescription.h"
#include "importers/MusicLogReader.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogReader.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

// The exit status of a sample with a line the format cannot read.
constexpr int unreadLines = 5;

} // namespace

FormatTestCommand::FormatTestCommand(Console& console)
    : Command(console,
              u"usage: stationdb format test NAME FILE\n"
              u"Reads FILE, a sample advert log, through the advert log format NAME (a description "
              u"in the Formats folder, a shipped one such as native or c-record, or the path of a "
              u".format file) and prints each line as the push would read it: its fields, and the "
              u"advert it becomes. A line the format cannot read is named with its number and why. "
              u"Exit status 0 when every line reads, 5 when one does not."_s,
              u"format takes: test NAME FILE (try format --help)"_s) {}

bool FormatTestCommand::accepts(const QCommandLineParser& parser) const {
    const QStringList arguments = parser.positionalArguments();
    return arguments.isEmpty() || (arguments.size() == 3 && arguments.first() == u"test");
}

int FormatTestCommand::run(const QCommandLineParser& parser) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        return showUsage(); // "format" alone says how it is used
    const QString& name = arguments[1];
    QString problem;
    const std::optional<QString> path = formatPath(name);
    const std::optional<QString> text = path ? FormatDescription::Read(*path, &problem) : std::nullopt;
    if (!text)
        return console.Fail(path ? problem
                                 : u"no log format '%1' was found in %2"_s.arg(
                                       name, FormatDescription::Folders().join(u", "_s)));
    const std::optional<FormatDescription> description = FormatDescription::Parse(*text, *path, &problem);
    if (!description)
        return console.Fail(problem);
    if (description->Value(u"kind"_s) == u"table")
        return test<MusicTableFormat, MusicLogReader>(*text, *path, arguments[2], nativeText);
    return test<AdvertFormat, AdvertLogReader>(*text, *path, arguments[2], advertText);
}

std::optional<QString> FormatTestCommand::formatPath(const QString& name) {
    if (name.endsWith(u".format"_s) && QFile::exists(name))
        return name;
    return FormatDescription::PathOf(name);
}

template <class Format, class Reader>
int FormatTestCommand::test(const QString& text, const QString& path, const QString& sample,
                            QString (*lineText)(const QString&)) {
    QString problem;
    std::optional<Format> format = Format::Parse(text, path, &problem);
    if (!format)
        return console.Fail(problem);
    Reader reader(std::move(format));
    if (!reader.Open(sample, &problem))
        return console.Fail(problem);
    return printLines(reader, lineText);
}

template <class Reader>
int FormatTestCommand::printLines(Reader& reader, QString (*lineText)(const QString&)) {
    int read = 0, unread = 0;
    QString line;
    while (reader.NextLine(line)) {
        const QString number = u"line %1: "_s.arg(reader.LinesRead());
        if (const QString& problem = reader.LineProblem(); !problem.isEmpty()) {
            ++unread;
            console.Out() << number << u"cannot be read: "_s << problem << Qt::endl;
            continue;
        }
        if (line.isEmpty())
            continue; // a blank line, which parts two breaks
        ++read;
        console.Out() << number << lineText(line) << Qt::endl;
    }
    console.Out() << u"%1 line(s) read, %2 could not be read."_s.arg(read).arg(unread) << Qt::endl;
    return unread == 0 ? Console::Success : unreadLines;
}

QString FormatTestCommand::advertText(const QString& line) {
    const float length = AdvertLineLayout::AdvertLineLength(line);
    return u"advert at %1: type '%2', cart '%3', title '%4', %5, reference '%6', notes '%7'"_s.arg(
        ScheduleDateTools::FormatSeconds(AdvertLineLayout::AdvertLineSeconds(line), 12),
        AdvertLineLayout::AdvertLineType(line), AdvertLineLayout::AdvertLineCart(line, 0),
        AdvertLineLayout::AdvertLineTitle(line), length > 0 ? u"%1 s"_s.arg(length) : u"no length"_s,
        AdvertLineLayout::AdvertLineReference(line).trimmed(),
        AdvertLineLayout::AdvertLineNotes(line).value_or(QString()));
}

QString FormatTestCommand::nativeText(const QString& line) {
    return line.trimmed();
}
