#pragma once

#include <QTextStream>

// Where the station admin command speaks: its results and usage texts go to standard
// output, each error or warning is one line on standard error, named as stationdb's.
class Console {
public:
    // The exit statuses every command shares.
    enum Status { Success = 0, Failure = 1, Misuse = 2 };

    Console(QTextStream& out, QTextStream& err) : out(out), err(err) {}

    QTextStream& Out() { return out; }
    // Prints a usage text; Success.
    int Usage(const QString& text);
    // Says what went wrong; the status given.
    int Fail(const QString& message, Status status = Failure);
    void Warn(const QString& message);

private:
    QTextStream& out;
    QTextStream& err;
};
