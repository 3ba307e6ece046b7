#pragma once

#include <QByteArrayView>
#include <QString>

#include <span>

// What must hold of every reader of outside text, whatever bytes it is given. Each
// check feeds the bytes to its readers and returns "" when every property held, or
// what broke. The fuzz targets run them under libFuzzer; the test suite replays the
// seed corpora and every input the fuzzers once broke through the same checks.
class FuzzProperties {
private:
    static QString musicTable(const QString& text, qsizetype parted);

public:
    using Check = QString (*)(QByteArrayView data);
    struct Target {
        const char* Name;
        Check Run;
    };

    static std::span<const Target> Targets();
    // The check of a target, or nullptr for an unknown name.
    static Check Find(const QString& name);

    // Music log lines: item lines with their continuation lines, break notes, hooks,
    // and hour headers in both forms, read as the music importer reads a file.
    static QString MusicLines(QByteArrayView data);
    // An item line written from fields reads back the same fields; one whose fields a
    // scheduler cannot write is refused with why.
    static QString MusicItemFields(QByteArrayView data);
    // Advert lines in every layout: normalising, every field reader, and writing
    // the fields back.
    static QString AdvertLine(QByteArrayView data);
    // A layout description, and the lines after it read through it: an advert line
    // it reads becomes a native line that reads back as native; a music table row's
    // hour header reads back as one.
    static QString AdvertFormatDescription(QByteArrayView data);
    // A delimited line: fields written back with quotes split into the same fields.
    static QString DelimitedLines(QByteArrayView data);
    // URL decoding of notes: escape-free text stays, encoded text comes back.
    static QString UrlDecoding(QByteArrayView data);
    // Options out of a command line.
    static QString CommandLine(QByteArrayView data);
    // The lenient date reader in three day orders, ParseDate, and the two date
    // styles the tool writes.
    static QString Dates(QByteArrayView data);
    // Durations and times of day as texts.
    static QString TextToSeconds(QByteArrayView data);
    // The advert information filter grammar.
    static QString MaintenanceFilter(QByteArrayView data);
    // A text file of any bytes, read line by line.
    static QString TextFile(QByteArrayView data);
};
