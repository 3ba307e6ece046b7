#pragma once

#include <QString>
#include <QStringList>

// The fastest the same work can be done on this machine with none of the tool's
// logic: rows inserted by SQLite itself through one prepared statement in one
// transaction, and files read line by line with nothing parsed.
class Floor {
public:
    // Inserts the LogItems rows of `from` that match `where`, in their order, into the
    // LogItems table of a new database `to` made with the same schema and journal,
    // committing after every `perTransaction` rows (0: one transaction for all); the
    // seconds the insert took, and the rows in `rows`. When `already` is not empty the
    // table first holds the rows of `from` that match it, inserted untimed: the rows
    // then land among them, as a push's adverts land among an hour's music.
    static double InsertRows(const QString& from, const QString& already, const QString& where,
                             const QString& to, int perTransaction, int* rows);
    // Reads every line of the files; the seconds taken.
    static double ReadLines(const QStringList& files);
};
