#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page, in which the log files and the files the tool writes
// beside them are encoded. It differs from Latin-1 in 0x80-0x9F.
class Windows1252 {
public:
    static QChar ToChar(unsigned char byte);
    static QString Decode(QByteArrayView bytes);
    // Characters the code page lacks become "?".
    static QByteArray Encode(QStringView text);
};
