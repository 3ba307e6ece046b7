#pragma once

#include "startup/iLineSource.h"

#include <QFile>
#include <QString>

// Reads a text file forward, one line at a time. Lines end at a line feed;
// carriage returns are dropped wherever they stand, so CR LF and LF files read the
// same, and a last line without an ending is still a line. Text is Windows-1252,
// or UTF-8 when the file begins with a byte-order mark.
class TextFileReader : public iLineSource {
public:
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return file.isOpen(); }

    // The next line; "" when the file is not open or at its end, or when reading
    // fails (what was read of that line is dropped).
    QString ReadTextLine();
    bool AtEnd() const;
    bool NextLine(QString& line) override;

    qint64 Size() const { return size; }
    qint64 BytesRead() const { return consumed; }

private:
    // Reads the next chunk after what is left unread; the bytes read, -1 on error.
    qint64 fill();

    QFile file;
    QByteArray buffer;
    qsizetype position = 0;
    qint64 consumed = 0;
    qint64 size = 0;
    bool utf8 = false;
};
