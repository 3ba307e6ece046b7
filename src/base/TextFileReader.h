#pragma once

#include "base/LineSource.h"

#include <QByteArray>
#include <QString>

// Reads a text file forward, one line at a time. A line ends at CR LF, at LF or
// at a lone CR, so files from every platform read the same, and a last line
// without an ending is still a line. The file is read once, whole, when it is
// opened: it is UTF-8 when it begins with a byte-order mark, or when its bytes are
// valid UTF-8 and hold at least one multi-byte sequence (see Utf8Text), and
// Windows-1252 otherwise.
class TextFileReader : public LineSource {
public:
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return open; }

    // The next line; "" when the file is not open or at its end.
    QString ReadTextLine();
    bool AtEnd() const override;
    bool NextLine(QString& line) override;

    qint64 Size() const { return bytes.size(); }
    qint64 BytesRead() const { return position; }
    // How many lines have been read: the number of the line read last, counted from 1.
    int LinesRead() const { return lines; }

private:
    static QString fromUtf8(QByteArrayView line);
    QByteArray bytes;
    qsizetype position = 0;
    int lines = 0;
    bool open = false;
    bool utf8 = false;
};
