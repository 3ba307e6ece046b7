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
    static bool Create(const QDate& firstDay, int days, QString* problem = nullptr);
    // The Station Database file.
    static QString DatabasePath();

private:
    static bool writeProfile();
    static bool writeDatabase(QString* problem);
    static void writeMusicLog(const QString& path, const QDate& day, bool blockHeaders);
    static void writeAdvertLog(const QString& path, const QDate& day);
};
