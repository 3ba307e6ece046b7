#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// An advert log layout described in a small text file, for a traffic system whose
// export is not one of the layouts the push knows: "key = value" lines ('#' starts
// a comment) giving the kind, fixed columns or delimited, and where each field is.
//
//   kind = fixed                      kind = delimited
//   time = 1-8                        separator = ,        (or "tab"; "," unless set)
//   time form = hh:mm:ss              quote = "            (or "none"; '"' unless set)
//   cart = 15-22                      header = yes         (the first line names the columns)
//   notes = 101-                      time = Time          (a column's name, or its number from 1)
//
// Fields: time (required), type, cart, title (cart or title required), length,
// reference, notes. A time form is hh:mm:ss (the default), hh:mm, hhmm or seconds
// after midnight; a length is seconds or m:ss (anything else: none); "notes encoded = yes" when the notes
// are form-encoded as in the native layout. A line read through a description is
// rewritten into the native layout, so the push reads every layout alike.
class AdvertFormat {
public:
    enum Field { Time, Type, Cart, Title, Length, Reference, Notes, FieldCount };
    enum class TimeForm { HhMmSs, HhMm, Hhmm, Seconds };

    // A line as read: its native form, or why it cannot be read and where.
    struct Reading {
        QString Native;     // "" for a blank line
        QStringList Fields; // the fields as cut, in the order of Field
        QString Problem;
        int Column =
            0; // the character (fixed) or field (delimited) at fault, from 1; 0 when the problem says
    };

    // Refused descriptions give nothing and `problem`: "FILE: line N, key 'K': why".
    static std::optional<AdvertFormat> Parse(const QString& text, const QString& fileName, QString* problem);
    // The description of this name (see FormatDescription::PathOf).
    static std::optional<AdvertFormat> Find(const QString& name, QString* problem);

    static QString FieldName(Field field);
    bool Delimited() const { return delimited; }
    bool HasHeader() const { return header; }
    // Takes the header row of a delimited file: the names columns are found by.
    // "" when every named column is in it; otherwise which is not.
    QString TakeHeader(const QString& line);
    Reading Read(const QString& line) const;

private:
    struct Place {
        int First = 0; // fixed: the first column; delimited: the field, from 1
        int Last = 0;  // fixed: the last column, 0 for the line's end
        QString Name;  // delimited: the column's name in the header row
    };
    static QString placeProblem(const QString& value, bool delimited, Place& place);
    QString setOption(const QString& key, const QString& value);
    QString check() const;
    QStringList cut(const QString& line, Reading& reading) const;
    static std::optional<double> seconds(const QString& text, TimeForm form);

    bool delimited = false;
    bool header = false;
    bool notesEncoded = false;
    QChar separator = u',';
    QChar quote = u'"';
    TimeForm timeForm = TimeForm::HhMmSs;
    std::array<std::optional<Place>, FieldCount> places;
};
