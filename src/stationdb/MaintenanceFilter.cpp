#include "stationdb/MaintenanceFilter.h"

#include <QDateTime>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

class Reader {
public:
    explicit Reader(const QString& text) : text(text) {}

    void SkipBlanks() {
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos >= text.size();
    }
    bool Take(QStringView word, Qt::CaseSensitivity cs = Qt::CaseSensitive) {
        SkipBlanks();
        if (!QStringView(text).mid(pos).startsWith(word, cs))
            return false;
        pos += word.size();
        return true;
    }
    // Text up to the given character, which is passed over; nothing when it is missing.
    std::optional<QString> Until(QChar end) {
        const qsizetype found = text.indexOf(end, pos);
        if (found < 0)
            return std::nullopt;
        QString part = text.mid(pos, found - pos);
        pos = found + 1;
        return part;
    }
    QChar Peek() {
        SkipBlanks();
        return pos < text.size() ? text[pos] : QChar();
    }
    std::optional<QString> Quoted() {
        QString value;
        ++pos; // the opening quote
        while (pos < text.size()) {
            if (text[pos] != u'\'') {
                value.append(text[pos++]);
            } else if (pos + 1 < text.size() && text[pos + 1] == u'\'') {
                value.append(u'\'');
                pos += 2;
            } else {
                ++pos;
                return value;
            }
        }
        return std::nullopt;
    }
    std::optional<qint64> Number() {
        const qsizetype start = pos;
        if (pos < text.size() && text[pos] == u'-')
            ++pos;
        while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128)
            ++pos;
        bool ok = false;
        const qint64 value = text.mid(start, pos - start).toLongLong(&ok);
        return ok ? std::optional(value) : std::nullopt;
    }

private:
    const QString& text;
    qsizetype pos = 0;
};

std::optional<QVariant> readValue(Reader& reader) {
    const QChar first = reader.Peek();
    if (first == u'\'') {
        const auto text = reader.Quoted();
        return text ? std::optional<QVariant>(*text) : std::nullopt;
    }
    if (first == u'#') {
        reader.Take(u"#");
        const auto text = reader.Until(u'#');
        if (!text)
            return std::nullopt;
        QDateTime date = QDateTime::fromString(text->trimmed(), u"MM-dd-yyyy HH:mm:ss"_s);
        if (!date.isValid())
            date = QDateTime(QDate::fromString(text->trimmed(), u"MM-dd-yyyy"_s), QTime(0, 0));
        if (!date.isValid())
            return std::nullopt;
        return QVariant(date.toString(u"yyyy-MM-dd HH:mm:ss"_s));
    }
    const auto number = reader.Number();
    return number ? std::optional<QVariant>(*number) : std::nullopt;
}

bool refuse(QString* problem, const QString& why) {
    if (problem)
        *problem = why;
    return false;
}

} // namespace

const QStringList& MaintenanceFilter::Columns() {
    static const QStringList columns = {u"ID"_s,         u"LastUpdated"_s, u"ItemType"_s, u"ItemSource"_s,
                                        u"CartNumber"_s, u"HDReference"_s, u"Title"_s,    u"Text1"_s,
                                        u"Detail1"_s,    u"Value1"_s,      u"Value2"_s,   u"Detail2"_s,
                                        u"Measure1"_s,   u"AudioLength"_s, u"Measure2"_s, u"Measure3"_s};
    return columns;
}

std::optional<QList<MaintenanceFilter::Condition>> MaintenanceFilter::Parse(const QString& filter,
                                                                            QString* problem) {
    static const QStringList comparisons = {u"<="_s, u">="_s, u"<>"_s, u"="_s, u"<"_s, u">"_s};
    QList<Condition> conditions;
    Reader reader(filter);
    while (!reader.AtEnd()) {
        if (!conditions.isEmpty() && !reader.Take(u"AND ", Qt::CaseInsensitive)) {
            refuse(problem, u"conditions must be joined by AND"_s);
            return std::nullopt;
        }
        Condition condition;
        const auto column = reader.Take(u"[") ? reader.Until(u']') : std::nullopt;
        if (!column || !Columns().contains(*column)) {
            refuse(problem, u"a condition must begin with a known [column]"_s);
            return std::nullopt;
        }
        condition.Column = *column;
        for (const QString& comparison : comparisons) {
            if (reader.Take(comparison)) {
                condition.Comparison = comparison;
                break;
            }
        }
        const auto value = condition.Comparison.isEmpty() ? std::nullopt : readValue(reader);
        if (!value) {
            refuse(problem, u"[%1] must be compared with a number, a 'text' or a #date#"_s.arg(*column));
            return std::nullopt;
        }
        condition.Value = *value;
        conditions.append(condition);
    }
    return conditions;
}

QString MaintenanceFilter::WhereClause(const QList<Condition>& conditions) {
    QStringList parts;
    for (const Condition& condition : conditions)
        parts.append(condition.Column + u' ' + condition.Comparison + u" ?"_s);
    return parts.join(u" AND "_s);
}
