#include "FuzzProperties.h"

#include "base/CommandLineOptions.h"
#include "base/DateConversion.h"
#include "base/DelimitedLine.h"
#include "base/FormEncoding.h"
#include "base/GeneralTools.h"
#include "base/ListLineSource.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "base/TextFileReader.h"
#include "base/Windows1252.h"
#include "importers/BreakNoteReader.h"
#include "importers/HourHeaderReader.h"
#include "importers/MusicFormatContext.h"
#include "importers/MusicItemReader.h"
#include "importers/MusicLogLine.h"
#include "importers/MusicTableFormat.h"
#include "importers/advert/AdvertFormat.h"
#include "importers/advert/AdvertLineLayout.h"
#include "stationdb/MaintenanceFilter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Log files are Windows-1252, so every byte is one character.
QString logText(QByteArrayView data) {
    return Windows1252::Decode(data);
}

QString shown(const QString& text) {
    return u'"' + text + u'"';
}

QString unequal(const QString& what, const QString& expected, const QString& got) {
    return what + u": expected "_s + shown(expected) + u", got "_s + shown(got);
}

// The fields of a data split at a separator byte, padded with empty fields.
QStringList fieldsOf(const QString& text, QChar separator, int count) {
    QStringList fields = text.split(separator);
    while (fields.size() < count)
        fields.append(QString());
    return fields;
}

MusicFormatContext fuzzContext() {
    MusicFormatContext context;
    context.ScriptsRangeStart = u"9000"_s;
    context.ScriptsRangeEnd = u"9999"_s;
    context.CartGroupsStart = u"8000"_s;
    context.CartGroupsEnd = u"8999"_s;
    // Every cart type the look-up can give, chosen by the number.
    context.LookupCart = [](const QString& number) {
        const qint64 value = qint64(std::fmod(std::abs(NumericText::Value(number)), 16.0));
        return StationDatabase::CartLookup{int(value), value % 3 == 0};
    };
    return context;
}

// An item line's title comes from 33 columns; a break note's from at most 54.
QString checkItem(const LogItem& item, const MusicFormatContext& context, int titleWidth) {
    if (item.Title.size() > titleWidth || item.Text1.size() > 20 || item.Text2.size() > 20)
        return u"an item field is wider than its columns: "_s + shown(item.Title);
    static const QList<int> endStyles = {0, 1, 2, 4, 8};
    if (!endStyles.contains(item.EndStyle))
        return u"end style %1 is none of the codes"_s.arg(item.EndStyle);
    if (context.Mode != 1 && context.Mode != 2)
        return u"the play mode became %1"_s.arg(context.Mode);
    return {};
}

// An item line read, or refused with a reason.
QString checkRead(const MusicItemReader::Reading& read, const MusicFormatContext& context) {
    if (!read.Item)
        return read.Problem.isEmpty() ? u"an item line refused without a reason"_s : QString();
    return checkItem(*read.Item, context, 33);
}

// One line and what follows it, as the music importer reads an hour.
QString readMusicLine(const QString& line, ListLineSource& more, MusicFormatContext& context,
                      const FormEncoding& forms) {
    const QString text = MusicLogLine::WithoutFormFeed(line);
    const auto note = MusicLogLine::Note(text, forms);
    if (!note)
        return {};
    LogItem item;
    item.Note = *note;
    switch (MusicLogLine::KindOf(text)) {
    case MusicLogLine::HourHeader:
        HourHeaderReader::Read(text, more);
        return {};
    case MusicLogLine::BreakNote:
        BreakNoteReader::Read(text, item, context);
        return checkItem(item, context, 54);
    case MusicLogLine::ItemLine:
        return checkRead(MusicItemReader::Read(text, *note, more, context), context);
    default:
        return {};
    }
}

QString trimmedEnd(QString text) {
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QString advertFields(const QString& line) {
    const auto notes = AdvertLineLayout::AdvertLineNotes(line);
    return QStringList{QString::number(AdvertLineLayout::AdvertLineSeconds(line)),
                       AdvertLineLayout::AdvertLineType(line),
                       AdvertLineLayout::AdvertLineCart(line, 0),
                       AdvertLineLayout::AdvertLineTitle(line),
                       trimmedEnd(AdvertLineLayout::AdvertLineReference(line)),
                       notes.value_or(u"(bad notes)"_s)}
        .join(u" | "_s);
}

// A native line's time field holds digits, colons and blanks only. Such a line is
// never taken for one of the other layouts, so it is its own normal form. (A line
// whose time field begins with "C" may look like a C-record line again.)
bool timeShaped(const QString& native) {
    for (const QChar c : native.left(8)) {
        if (!c.isDigit() && c != u':' && c != u' ')
            return false;
    }
    return true;
}

QString checkDateStyles(const QDateTime& date) {
    const ScheduleDate point = ScheduleDateTools::FromDate(date);
    for (const int style : {4, 14}) {
        const QString text = ScheduleDateTools::FormatDate(date, style);
        const ScheduleDate back = ScheduleDateTools::ParseDate(text);
        // The texts hold whole seconds.
        if (back.Day != point.Day || std::floor(back.Seconds) != std::floor(point.Seconds))
            return u"style %1 text "_s.arg(style) + shown(text) + u" reads back as another time"_s;
    }
    return {};
}

QString renderFilter(const QList<MaintenanceFilter::Condition>& conditions) {
    QStringList parts;
    for (const auto& condition : conditions) {
        const QString value = condition.Value.typeId() == QMetaType::LongLong
                                  ? QString::number(condition.Value.toLongLong())
                                  : u'\'' + condition.Value.toString().replace(u"'"_s, u"''"_s) + u'\'';
        parts.append(u'[' + condition.Column + u']' + condition.Comparison + value);
    }
    return parts.join(u" AND "_s);
}

// The lines a text file of these bytes holds: split at line feeds, carriage
// returns dropped, and no line after a final line feed.
// The lines a text file holds, worked out another way than the reader does: the
// encoding by Qt's own strict UTF-8 decoder, the lines by splitting at every line end.
QStringList expectedLines(QByteArrayView data) {
    const bool marked = data.startsWith("\xEF\xBB\xBF");
    const QByteArray bytes = (marked ? data.sliced(3) : data).toByteArray();
    // Only the file's own first three bytes are its mark: a second one is text.
    QStringDecoder strict(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString asUtf8 = strict.decode(bytes);
    const bool multiByte = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    const QString text = marked || (!strict.hasError() && multiByte) ? asUtf8 : Windows1252::Decode(bytes);
    QStringList lines = QString(text).replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

std::span<const FuzzProperties::Target> FuzzProperties::Targets() {
    static const Target targets[] = {
        {"music_lines", &MusicLines},
        {"music_item_fields", &MusicItemFields},
        {"advert_line", &AdvertLine},
        {"advert_format", &AdvertFormatDescription},
        {"delimited_line", &DelimitedLines},
        {"url_decoding", &UrlDecoding},
        {"command_line", &CommandLine},
        {"dates", &Dates},
        {"text_to_seconds", &TextToSeconds},
        {"maintenance_filter", &MaintenanceFilter},
        {"text_file", &TextFile},
    };
    return targets;
}

FuzzProperties::Check FuzzProperties::Find(const QString& name) {
    for (const Target& target : Targets()) {
        if (name == QLatin1String(target.Name))
            return target.Run;
    }
    return nullptr;
}

QString FuzzProperties::MusicLines(QByteArrayView data) {
    ListLineSource lines(logText(data).split(u'\n'));
    MusicFormatContext context = fuzzContext();
    const FormEncoding forms;
    QString line;
    while (lines.NextLine(line)) {
        if (QString problem = readMusicLine(line, lines, context, forms); !problem.isEmpty())
            return problem;
    }
    return {};
}

QString FuzzProperties::MusicItemFields(QByteArrayView data) {
    const QStringList fields = fieldsOf(logText(data), u'\t', 4);
    const QString cart = fields[0].left(7).trimmed();
    const QString title = fields[1].left(33).trimmed();
    const QString text1 = fields[2].left(20).trimmed();
    // Line kinds whose type does not come from the cart look-up.
    const QString kind = QStringList{u"A"_s, u"C"_s, u"S"_s, u"L"_s}[int(fields[3].size() % 4)];
    const QString line = GeneralTools::PadRight(kind + cart, 9) + GeneralTools::PadRight(title, 34) + text1;
    ListLineSource none({});
    const MusicItemReader::Reading read = MusicItemReader::Read(line, QString(), none, fuzzContext());
    // A scheduler writes digits in the cart column, and no control character but the
    // tab: a line of any other fields is refused, and only such a line.
    const bool digits =
        std::all_of(cart.cbegin(), cart.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const bool controls =
        std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c < u' ' && c != u'\t'; });
    if (!read.Item)
        return digits && !controls ? u"a line of readable fields refused: "_s + read.Problem : QString();
    if (!digits || controls)
        return u"a line a scheduler cannot write read as an item: "_s + shown(line);
    const LogItem& item = *read.Item;
    if (item.CartNumber != cart)
        return unequal(u"cart"_s, cart, item.CartNumber);
    if (item.Title != title)
        return unequal(u"title"_s, title, item.Title);
    if (item.Text1 != text1)
        return unequal(u"text 1"_s, text1, item.Text1);
    if (MusicLogLine::OffsetCart(cart, 0) != cart)
        return unequal(u"cart with no offset"_s, cart, MusicLogLine::OffsetCart(cart, 0));
    return {};
}

QString FuzzProperties::AdvertLine(QByteArrayView data) {
    const QString line = logText(data).section(u'\n', 0, 0);
    const QString native = AdvertLineLayout::NormaliseAdvertLine(line);
    for (const qint32 offset : {1000, -7, 2147483647})
        AdvertLineLayout::AdvertLineCart(line, offset);
    if (!timeShaped(native))
        return {};
    if (const QString again = AdvertLineLayout::NormaliseAdvertLine(native); again != native)
        return unequal(u"normalising twice"_s, native, again);
    if (line.trimmed().isEmpty())
        return {};
    const auto notes = AdvertLineLayout::AdvertLineNotes(native);
    const QString rebuilt = AdvertLineLayout::BuildAdvertLine(
        native.left(8), native.mid(9, 4), AdvertLineLayout::AdvertLineCart(native, 0),
        AdvertLineLayout::AdvertLineTitle(native), AdvertLineLayout::AdvertLineReference(native), 30, false,
        notes.value_or(QString()));
    const QString expected = advertFields(native);
    const QString got = advertFields(rebuilt);
    if (notes && got != expected)
        return unequal(u"fields of the rebuilt line"_s, expected, got);
    return {};
}

QString FuzzProperties::AdvertFormatDescription(QByteArrayView data) {
    // The description, then a line "----", then sample lines.
    const QString text = logText(data);
    const qsizetype parted = text.indexOf(u"\n----\n"_s);
    QString problem;
    if (text.left(parted < 0 ? text.size() : parted).contains(u"table"_s))
        return musicTable(text, parted);
    std::optional<AdvertFormat> format =
        AdvertFormat::Parse(parted < 0 ? text : text.left(parted), u"fuzz.format"_s, &problem);
    if (!format)
        return problem.isEmpty() ? u"a description refused without a reason"_s : QString();
    QStringList lines = parted < 0 ? QStringList() : text.mid(parted + 6).split(u'\n');
    if (format->HasHeader() && !lines.isEmpty() && !format->TakeHeader(lines.takeFirst()).isEmpty())
        return {};
    for (const QString& line : lines) {
        const AdvertFormat::Reading reading = format->Read(line);
        if (!reading.Problem.isEmpty() || reading.Native.isEmpty())
            continue;
        if (AdvertLineLayout::LayoutOf(reading.Native) != AdvertLineLayout::Native)
            return u"a line read through a description is not native: "_s + reading.Native;
        const float seconds = AdvertLineLayout::AdvertLineSeconds(reading.Native);
        if (seconds < 0 || seconds >= 86400)
            return u"a line read through a description has a time outside the day: "_s + reading.Native;
    }
    return {};
}

QString FuzzProperties::musicTable(const QString& text, qsizetype parted) {
    QString problem;
    std::optional<MusicTableFormat> table =
        MusicTableFormat::Parse(parted < 0 ? text : text.left(parted), u"fuzz.format"_s, &problem);
    if (!table)
        return problem.isEmpty() ? u"a table refused without a reason"_s : QString();
    QStringList rows = parted < 0 ? QStringList() : text.mid(parted + 6).split(u'\n');
    if (table->HasHeader() && !rows.isEmpty() && !table->TakeHeader(rows.takeFirst()).isEmpty())
        return {};
    for (const QString& row : rows) {
        const MusicTableFormat::Rows read = table->Read(row);
        for (const QString& line : read.Lines) {
            ListLineSource none(QStringList{});
            if (line.startsWith(u'+') && !HourHeaderReader::Read(line, none).Read)
                return u"a table row's hour header does not read back: "_s + line;
        }
    }
    return {};
}

QString FuzzProperties::DelimitedLines(QByteArrayView data) {
    for (const QString& line : logText(data).split(u'\n')) {
        const DelimitedLine::Split split = DelimitedLine::Of(line, u',', u'"');
        if (!split.Problem.isEmpty()) {
            if (split.Column < 1 || split.Column > line.size())
                return u"a problem named at column %1 of a line of %2"_s.arg(split.Column).arg(line.size());
            continue;
        }
        QStringList quoted;
        for (QString field : split.Fields)
            quoted.append(u'"' + field.replace(u'"', u"\"\""_s) + u'"');
        const DelimitedLine::Split again = DelimitedLine::Of(quoted.join(u','), u',', u'"');
        if (again.Fields != split.Fields)
            return unequal(u"fields written back and split again"_s, split.Fields.join(u'|'),
                           again.Fields.join(u'|'));
    }
    return {};
}

QString FuzzProperties::UrlDecoding(QByteArrayView data) {
    const QString text = logText(data);
    const FormEncoding forms;
    const auto decoded = forms.Decode(text);
    if (decoded && decoded->size() > text.size())
        return u"decoding made the text longer"_s;
    if (!text.contains(u'%') && !text.contains(u'+') && decoded != text)
        return unequal(u"escape-free text"_s, text, decoded.value_or(u"(refused)"_s));
    if (AdvertLineLayout::DecodeAdvertNotes(text) != decoded)
        return u"the advert notes decode differently"_s;
    const auto back = forms.Decode(GeneralTools::UrlEncode(text));
    if (back != text)
        return unequal(u"decoding the encoded text"_s, text, back.value_or(u"(refused)"_s));
    return {};
}

QString FuzzProperties::CommandLine(QByteArrayView data) {
    const QStringList fields = fieldsOf(QString::fromUtf8(data), u'\n', 4);
    const QString value =
        CommandLineOptions::GetCommandLineOption(fields[0], fields[1], fields[2], fields[3]);
    if (!value.isEmpty() && !fields[0].contains(value))
        return u"the value "_s + shown(value) + u" is not part of the command line"_s;
    CommandLineOptions::GetCommandLineOptionEx(fields[0], fields[1], fields[2], fields[3], true);
    // A value passed as one argument comes back whole, blanks included.
    QString given = fields[0];
    given.remove(u'"');
    const QString text = CommandLineOptions::FromArguments({u"/PROFILE="_s + given, u"/QUIT"_s});
    const QString back = CommandLineOptions::GetCommandLineOption(text, u"/profile"_s, u"="_s, u" "_s);
    if (back != given)
        return unequal(u"the option's value"_s, given, back);
    return {};
}

QString FuzzProperties::Dates(QByteArrayView data) {
    const QString text = QString::fromUtf8(data);
    static const QLocale locales[] = {QLocale(u"en_GB"_s), QLocale(u"en_US"_s), QLocale(u"sv_SE"_s)};
    for (const QLocale& locale : locales) {
        const auto date = DateConversion::Read(text, locale);
        if (!date)
            continue;
        if (!date->isValid())
            return u"an invalid date was read from "_s + shown(text);
        if (QString problem = checkDateStyles(*date); !problem.isEmpty())
            return problem;
    }
    const ScheduleDate parsed = ScheduleDateTools::ParseDate(text);
    if (parsed.Seconds < 0 || parsed.Seconds >= ScheduleDateTools::SecondsPerDay)
        return u"ParseDate gave %1 seconds"_s.arg(parsed.Seconds);
    return {};
}

QString FuzzProperties::TextToSeconds(QByteArrayView data) {
    const QString text = logText(data);
    for (const int format : {0, 2, 3, 4})
        GeneralTools::TextToSeconds(text, format);
    // Whole numbers in "h:m:s" give their seconds, blanks around them ignored.
    const QByteArray digits = data.first(std::min<qsizetype>(data.size(), 9)).toByteArray().toHex().left(9);
    qint64 numbers[3] = {};
    for (int i = 0; i < 3; ++i)
        numbers[i] = digits.mid(i * 3, 3).toLongLong(nullptr, 16) % 1000;
    const QString hms = u" %1:%2:%3 "_s.arg(numbers[0]).arg(numbers[1]).arg(numbers[2]);
    const double expected = double(numbers[0] * 3600 + numbers[1] * 60 + numbers[2]);
    if (GeneralTools::TextToSeconds(hms, 0) != expected)
        return u"%1 read as %2 seconds"_s.arg(hms).arg(GeneralTools::TextToSeconds(hms, 0));
    return {};
}

QString FuzzProperties::MaintenanceFilter(QByteArrayView data) {
    const auto conditions = ::MaintenanceFilter::Parse(QString::fromUtf8(data));
    if (!conditions)
        return {};
    const QString where = ::MaintenanceFilter::WhereClause(*conditions);
    if (where.count(u'?') != conditions->size())
        return u"the clause "_s + shown(where) + u" does not hold one ? per condition"_s;
    if (where.contains(u'\'') || where.contains(u'#') || where.contains(u';'))
        return u"a value reached the clause "_s + shown(where);
    const QString rendered = renderFilter(*conditions);
    const auto again = ::MaintenanceFilter::Parse(rendered);
    if (!again || again->size() != conditions->size())
        return u"the filter "_s + shown(rendered) + u" does not read back"_s;
    for (qsizetype i = 0; i < conditions->size(); ++i) {
        const auto& first = (*conditions)[i];
        const auto& second = (*again)[i];
        if (first.Column != second.Column || first.Comparison != second.Comparison ||
            first.Value != second.Value)
            return u"condition %1 of "_s.arg(i + 1) + shown(rendered) + u" reads back differently"_s;
    }
    return {};
}

QString FuzzProperties::TextFile(QByteArrayView data) {
    const QByteArray bytes = data.toByteArray();
    const QString path =
        QDir::temp().filePath(u"logimporter-fuzz-%1.txt"_s.arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return u"could not write "_s + path;
    file.close();
    TextFileReader reader;
    if (!reader.Open(path))
        return u"could not open "_s + path;
    QStringList lines;
    QString line;
    while (reader.NextLine(line))
        lines.append(line);
    const bool whole = reader.BytesRead() == reader.Size();
    reader.Close();
    QFile::remove(path);
    if (!whole)
        return u"the reader stopped before the end of the file"_s;
    const QStringList expected = expectedLines(bytes);
    if (lines.size() != expected.size())
        return u"%1 lines read, %2 in the file"_s.arg(lines.size()).arg(expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i] != expected[i])
            return unequal(u"line %1"_s.arg(i + 1), expected[i], lines[i]);
    }
    return {};
}
