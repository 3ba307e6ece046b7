#pragma once

#include <QString>

// How a write to the Station Database ended. Only a write that ended Written was
// committed; every other ends with nothing of it kept (but Lost at the commit, see
// below). A read that failed is told the same way, Written standing for "read".
struct WriteOutcome {
    enum Status {
        Written,
        Refused,    // the write did not apply: the hour was already there, a break had gone...
        Busy,       // another program kept the database busy for longer than the patience
        Failed,     // the database refused it (a constraint, a trigger, ...)
        Unwritable, // the database takes no writes at all (its disk is full, it is read-only, its file is
                    // damaged): the next hour would only fail the same way
        Lost,       // the connection to the server was lost: nothing more can be read or written
        Stopped     // a stop signal (SIGTERM, SIGINT) ended its wait for a busy database
    };

    Status Result = Written;
    // Why it was not written, in the database's own words where it gave any.
    QString Problem;

    bool IsWritten() const { return Result == Written; }
    // Whether what comes after it would only wait or fail again.
    bool EndsTheRun() const {
        return Result == Busy || Result == Unwritable || Result == Lost || Result == Stopped;
    }
};
