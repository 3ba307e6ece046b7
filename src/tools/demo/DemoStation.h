#pragma once

#include <QDate>
#include <QString>

// A demonstration station under OSTREL_HOME: a profile, a Station Database with a
// cart store (songs, jingles, links, adverts; a few carts missing or silent), its
// settings, and a week of music and advert logs from a given day.
class DemoStation {
public:
    static QString ProfileName() { return QStringLiteral("Demo"); }
    static QString DatabaseName() { return QStringLiteral("Demo Station"); }

    // Creates everything; False (with the reason) when something could not be made.
    // The Station Database is the file DatabasePath(), or the server database at
    // `location` (postgresql://...), which the profile then lists by the demo's name.
    static bool Create(const QDate& firstDay, int days, QString* problem = nullptr,
                       const QString& location = {});
    // The Station Database file.
    static QString DatabasePath();
    // Rewrites the demo's advert logs as comma-separated files with a header row, and
    // gives the station the description that reads them ("demo-csv", in the Formats
    // folder): the same adverts, in a layout of the station's own.
    static bool ConvertAdvertLogsToCsv(QString* problem = nullptr, const QString& location = {});

private:
    static bool writeProfile(const QString& location);
    static bool writeDatabase(const QString& location, QString* problem);
    static void writeMusicLog(const QString& path, const QDate& day, bool blockHeaders);
    static void writeAdvertLog(const QString& path, const QDate& day);
    // The adverts sold into a break: mostly enough to fill its 120 s, once a day too few.
    static int advertsInBreak(int hour, int minute, const QDate& day);
    // The cart of the break's n-th advert: once a day a missing one and a silent one.
    static int advertCart(int hour, int minute, int n);
    // An advert line as a row of the demo's CSV layout.
    static QString csvRow(const QString& line);
};
