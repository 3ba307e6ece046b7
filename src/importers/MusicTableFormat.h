#pragma once

#include "base/ScheduleDate.h"

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A music log a station's scheduler exports as a table, one delimited row per item,
// described in a small file (see FormatDescription):
//
//   kind = table                  the layout's kind
//   separator = ,                 one character or "tab" ("," unless set)
//   quote = "                     one character or "none" ('"' unless set)
//   header = yes                  the first row names the columns
//   date = Date                   a column's name (with a header) or number from 1
//   date form = dd/mm/yyyy        dd, mm, yyyy or yy in any order ("yyyy-mm-dd" unless set)
//   hour = Hour                   0 to 23, or a time whose hour is taken
//   hour name = Clock             (optional) the hour's name; "hh:00" without one
//   item = Type                   the column of each row's kind word
//   song = MUS, SONG              the kind words, comma-separated, as the file writes them:
//   jingle = JIN                  song, jingle, sweeper, link, break and note
//   cart = Cart / title = Title / artist = Artist / length = Length / break time = Time
//
// Each row is rewritten into the lines of the native music log (an hour header when
// its hour begins, then the item's line), so a table builds the very hours the
// native format builds, through the same import.
class MusicTableFormat {
public:
    // The lines a row becomes, or why it cannot be read.
    struct Rows {
        QStringList Lines;
        QString Problem;
    };

    // Refused descriptions give nothing and why ("FILE: line N, key 'K': why").
    static std::optional<MusicTableFormat> Parse(const QString& text, const QString& fileName,
                                                 QString* problem);
    static std::optional<MusicTableFormat> Find(const QString& name, QString* problem);

    bool HasHeader() const { return header; }
    // Takes the header row; "" when it holds every named column.
    QString TakeHeader(const QString& row);
    // The native lines of the row; an hour header first when the row begins an hour.
    Rows Read(const QString& row);

private:
    enum Column { Date, Hour, HourName, Item, Cart, Title, Artist, Length, BreakTime, ColumnCount };
    enum Kind { Song, Jingle, Sweeper, Link, Break, Note, KindCount };
    static QString columnKey(int column);
    static QString kindKey(int kind);
    QString setKey(const QString& key, const QString& value);
    std::optional<qint32> dayOf(const QString& text);
    static std::optional<int> hourOf(const QString& text);
    QString itemLine(Kind kind, const QStringList& fields) const;

    QChar separator = u',';
    QChar quote = u'"';
    bool header = false;
    QString dateForm = QStringLiteral("yyyy-mm-dd");
    struct Place {
        int Number = 0; // from 1; 0 while its name waits for the header row
        QString Name;
    };
    std::optional<Place> places[ColumnCount];
    QHash<QString, int> kinds;              // kind word, in upper case: its Kind
    std::optional<ScheduleDate> hourInHand; // the hour of the rows read so far
    QString lastDateText;                   // the date read last, and its day
    std::optional<qint32> lastDay;
};
