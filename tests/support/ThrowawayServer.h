#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away PostgreSQL server (scripts/throwaway-postgres.sh in a temporary
// folder of its own, which the script hands to the server's user): started when
// made, stopped when it goes. The tests share one a test program (Get()); a server
// that cannot start is a failure of every test that asks for it, never a reason to
// skip one. The bench makes its own, waiting for the disk as a station's would.
class ThrowawayServer {
public:
    enum Disk {
        Fast,   // no waiting for the disk: for tests
        Durable // every commit waits for the disk: for measuring
    };

    explicit ThrowawayServer(Disk disk);
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    // The test program's server: started at the first call, stopped when the program ends.
    static ThrowawayServer& Get();

    // Empty when the server runs; otherwise what its script said.
    const QString& Problem() const { return problem; }
    // The server's own address, postgresql://..., without a schema.
    const QString& Address() const { return address; }
    // A location in a schema no other user of this server has had.
    QString NewLocation();
    // Stops the server at once, as a crash would (connections are cut, nothing is
    // shut down in order), and starts the same cluster again; True when it did. Only
    // a Durable server keeps every commit through a crash.
    bool Crash();
    bool Restart();

private:
    QStringList startArguments() const;

    Disk disk;
    QTemporaryDir folder;
    QString address;
    QString problem;
    int schemas = 0;
};
