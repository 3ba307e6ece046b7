#include "importers/advert/AdvertFormat.h"

#include "base/DelimitedLine.h"
#include "base/GeneralTools.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "importers/FormatDescription.h"
#include "importers/advert/AdvertLineLayout.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const fieldNames[] = {"time", "type", "cart", "title", "length", "reference", "notes"};
constexpr int widestColumn = 999;

} // namespace

QString AdvertFormat::FieldName(Field field) {
    return QString::fromLatin1(fieldNames[field]);
}

std::optional<AdvertFormat> AdvertFormat::Find(const QString& name, QString* problem) {
    const auto named = FormatDescription::Named(name, u"advert log format"_s, problem);
    return named ? Parse(named->first, named->second, problem) : std::nullopt;
}

std::optional<AdvertFormat> AdvertFormat::Parse(const QString& text, const QString& fileName,
                                                QString* problem) {
    const std::optional<FormatDescription> description = FormatDescription::Parse(text, fileName, problem);
    if (!description)
        return std::nullopt;
    const auto refuse = [&](const QString& key, const QString& why) {
        if (problem)
            *problem = description->Refusal(key, why);
        return std::nullopt;
    };
    AdvertFormat format;
    const QString kind = description->Value(u"kind"_s);
    if (kind != u"fixed" && kind != u"delimited")
        return refuse(u"kind"_s, kind.isEmpty() ? u"missing: fixed or delimited"_s
                                                : u"an unknown kind '%1': fixed or delimited"_s.arg(kind));
    format.delimited = kind == u"delimited";
    QStringList names;
    for (int field = 0; field < FieldCount; ++field)
        names.append(FieldName(Field(field)));
    for (const QString& key : description->Keys()) {
        if (key == u"kind")
            continue;
        const qsizetype field = names.indexOf(key);
        QString why;
        if (field >= 0) {
            Place place;
            why = placeProblem(description->Value(key), format.delimited, place);
            format.places[field] = place;
        } else {
            why = format.setOption(key, description->Value(key));
        }
        if (!why.isEmpty())
            return refuse(key, why);
    }
    if (const QString why = format.check(); !why.isEmpty())
        return refuse({}, why);
    return format;
}

QString AdvertFormat::placeProblem(const QString& value, bool delimited, Place& place) {
    if (delimited) {
        bool number = false;
        place.First = value.toInt(&number);
        if (!number) {
            place.First = 0;
            place.Name = value;
            return value.isEmpty() ? u"no column given"_s : QString();
        }
        return place.First >= 1 && place.First <= widestColumn
                   ? QString()
                   : u"a column number from 1 to %1"_s.arg(widestColumn);
    }
    static const QRegularExpression columns(u"^(\\d+)\\s*-\\s*(\\d*)$"_s);
    const QRegularExpressionMatch match = columns.match(value);
    if (!match.hasMatch())
        return u"'%1' is not first-last columns, such as 15-22 (or 101- to the line's end)"_s.arg(value);
    place.First = match.captured(1).toInt();
    place.Last = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    if (place.First < 1 || place.First > widestColumn || place.Last > widestColumn)
        return u"columns run from 1 to %1"_s.arg(widestColumn);
    if (place.Last != 0 && place.Last < place.First)
        return u"its last column comes before its first"_s;
    return {};
}

QString AdvertFormat::setOption(const QString& key, const QString& value) {
    const auto yesNo = [&](bool& flag) {
        flag = value == u"yes";
        return value == u"yes" || value == u"no" ? QString() : u"yes or no"_s;
    };
    if (key == u"time form") {
        static const QStringList forms{u"hh:mm:ss"_s, u"hh:mm"_s, u"hhmm"_s, u"seconds"_s};
        timeForm = TimeForm(std::max<qsizetype>(0, forms.indexOf(value)));
        return forms.contains(value) ? QString() : u"hh:mm:ss, hh:mm, hhmm or seconds"_s;
    }
    if (key == u"notes encoded")
        return yesNo(notesEncoded);
    if (!delimited && (key == u"separator" || key == u"quote" || key == u"header"))
        return u"only a delimited layout has it"_s;
    if (key == u"header")
        return yesNo(header);
    if (key == u"separator") {
        separator = value == u"tab" ? QChar(u'\t') : value.isEmpty() ? QChar() : value[0];
        return value == u"tab" || value.size() == 1 ? QString() : u"one character, or tab"_s;
    }
    if (key == u"quote") {
        quote = value == u"none" ? QChar() : value.isEmpty() ? QChar() : value[0];
        return value == u"none" || value.size() == 1 ? QString() : u"one character, or none"_s;
    }
    return u"an unknown key"_s;
}

QString AdvertFormat::check() const {
    if (!places[Time])
        return u"the time's place is missing"_s;
    if (!places[Cart] && !places[Title])
        return u"neither the cart's place nor the title's is given"_s;
    for (int a = 0; a < FieldCount; ++a) {
        for (int b = a + 1; b < FieldCount; ++b) {
            if (!places[a] || !places[b])
                continue;
            const Place& one = *places[a];
            const Place& two = *places[b];
            const bool same = delimited ? (one.Name.isEmpty() ? one.First == two.First : one.Name == two.Name)
                                        : (one.Last == 0 || two.First <= one.Last) &&
                                              (two.Last == 0 || one.First <= two.Last);
            if (same)
                return u"the %1 and the %2 overlap"_s.arg(FieldName(Field(a)), FieldName(Field(b)));
        }
        if (places[a] && !places[a]->Name.isEmpty() && !header)
            return u"the %1 is found by its column's name, so the layout needs header = yes"_s.arg(
                FieldName(Field(a)));
    }
    return {};
}

QString AdvertFormat::TakeHeader(const QString& line) {
    const DelimitedLine::Split names = DelimitedLine::Of(line, separator, quote);
    for (std::optional<Place>& place : places) {
        if (!place || place->Name.isEmpty())
            continue;
        const qsizetype at = names.Fields.indexOf(place->Name);
        if (at < 0)
            return u"the header row has no column '%1'"_s.arg(place->Name);
        place->First = int(at + 1);
    }
    return {};
}

QStringList AdvertFormat::cut(const QString& line, Reading& reading) const {
    QStringList fields(FieldCount);
    DelimitedLine::Split split;
    if (delimited) {
        split = DelimitedLine::Of(line, separator, quote);
        if (!split.Problem.isEmpty()) {
            reading.Problem = u"%1 at character %2"_s.arg(split.Problem).arg(split.Column);
            return {};
        }
    }
    for (int field = 0; field < FieldCount; ++field) {
        if (!places[field])
            continue;
        const Place& place = *places[field];
        if (delimited && place.First > split.Fields.size()) {
            reading.Problem = u"the %1 is field %2, and the line has %3"_s.arg(FieldName(Field(field)))
                                  .arg(place.First)
                                  .arg(split.Fields.size());
            reading.Column = place.First;
            return {};
        }
        const QString text =
            delimited ? split.Fields[place.First - 1]
                      : line.mid(place.First - 1, place.Last == 0 ? -1 : place.Last - place.First + 1);
        fields[field] = field == Reference ? text : text.trimmed(); // a reference is kept as it stands
    }
    return fields;
}

std::optional<double> AdvertFormat::seconds(const QString& text, TimeForm form) {
    static const QRegularExpression patterns[] = {QRegularExpression(u"^(\\d{1,2}):(\\d\\d):(\\d\\d)$"_s),
                                                  QRegularExpression(u"^(\\d{1,2}):(\\d\\d)$"_s),
                                                  QRegularExpression(u"^(\\d\\d)(\\d\\d)$"_s),
                                                  QRegularExpression(u"^(\\d{1,5})$"_s)};
    const QRegularExpressionMatch match = patterns[int(form)].match(text);
    if (!match.hasMatch())
        return std::nullopt;
    if (form == TimeForm::Seconds)
        return match.captured(1).toDouble();
    const int second = form == TimeForm::HhMmSs ? match.captured(3).toInt() : 0;
    if (match.captured(1).toInt() > 23 || match.captured(2).toInt() > 59 || second > 59)
        return std::nullopt;
    return match.captured(1).toInt() * 3600.0 + match.captured(2).toInt() * 60.0 + second;
}

AdvertFormat::Reading AdvertFormat::Read(const QString& line) const {
    Reading reading;
    if (line.trimmed().isEmpty())
        return reading;
    reading.Fields = cut(line, reading);
    if (!reading.Problem.isEmpty())
        return reading;
    const auto fail = [&](Field field, const QString& why) {
        reading.Problem = why;
        reading.Column = places[field]->First;
        return reading;
    };
    static const char* const forms[] = {"hh:mm:ss", "hh:mm", "hhmm", "seconds after midnight"};
    const std::optional<double> time = seconds(reading.Fields[Time], timeForm);
    if (!time || *time >= 86400)
        return fail(Time, u"the time '%1' is not %2"_s.arg(reading.Fields[Time],
                                                           QString::fromLatin1(forms[int(timeForm)])));
    // A length is read as the layouts' own readers read it: m:ss, or seconds; what is
    // neither gives 0, no length.
    QString length = reading.Fields[Length];
    const double sold = length.contains(u':') ? GeneralTools::TextToSeconds(length.replace(u' ', u'0'), 3)
                                              : NumericText::Value(length);
    QString notes = reading.Fields[Notes];
    if (notesEncoded && !notes.isEmpty()) {
        const std::optional<QString> decoded = AdvertLineLayout::DecodeAdvertNotes(notes);
        if (!decoded)
            return fail(Notes, u"its notes hold a %-escape that cannot be decoded"_s);
        notes = *decoded;
    }
    reading.Native = AdvertLineLayout::BuildAdvertLine(
        ScheduleDateTools::FormatSeconds(float(*time), 12), reading.Fields[Type], reading.Fields[Cart],
        reading.Fields[Title], reading.Fields[Reference], sold, false, notes);
    return reading;
}
