#pragma once

#include <QString>
#include <QTemporaryDir>

// The throw-away PostgreSQL server of one test program (scripts/throwaway-postgres.sh
// in a temporary folder): started at the first call, stopped when the program ends.
// A server that cannot start is a failure of every test that asks for it, never a
// reason to skip one.
class ThrowawayServer {
public:
    static ThrowawayServer& Get();
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    // Empty when the server runs; otherwise what its script said.
    const QString& Problem() const { return problem; }
    // The server's own address, postgresql://..., without a schema.
    const QString& Address() const { return address; }
    // A location in a schema no other test of the program has used.
    QString NewLocation();

private:
    ThrowawayServer();
    static QString script();

    QTemporaryDir folder;
    QString address;
    QString problem;
    int schemas = 0;
};
