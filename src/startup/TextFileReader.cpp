#include "startup/TextFileReader.h"

#include "playout/Windows1252.h"

namespace {
constexpr qint64 chunkSize = 64 * 1024;
}

bool TextFileReader::Open(const QString& path) {
    Close();
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    size = file.size();
    if (fill() <= 0)
        return true;
    if (buffer.startsWith("\xEF\xBB\xBF")) {
        utf8 = true;
        position = 3;
        consumed = 3;
    }
    return true;
}

void TextFileReader::Close() {
    file.close();
    buffer.clear();
    position = 0;
    consumed = 0;
    size = 0;
    utf8 = false;
}

qint64 TextFileReader::fill() {
    buffer.remove(0, position);
    position = 0;
    const qsizetype kept = buffer.size();
    buffer.resize(kept + chunkSize);
    const qint64 got = file.read(buffer.data() + kept, chunkSize);
    buffer.resize(kept + std::max<qint64>(got, 0));
    return got;
}

bool TextFileReader::AtEnd() const {
    return !file.isOpen() || (position >= buffer.size() && file.atEnd());
}

QString TextFileReader::ReadTextLine() {
    if (AtEnd())
        return {};
    QByteArray line;
    for (;;) {
        if (position >= buffer.size()) {
            if (file.atEnd())
                break;
            const qint64 got = fill();
            if (got < 0)
                return {};
            if (got == 0)
                break;
        }
        const qsizetype end = buffer.indexOf('\n', position);
        const qsizetype stop = end < 0 ? buffer.size() : end;
        line.append(buffer.constData() + position, stop - position);
        consumed += stop - position;
        position = stop;
        if (end >= 0) {
            ++position;
            ++consumed;
            break;
        }
    }
    line.replace("\r", "");
    return utf8 ? QString::fromUtf8(line) : Windows1252::Decode(line);
}

bool TextFileReader::NextLine(QString& line) {
    const bool more = !AtEnd();
    line = more ? ReadTextLine() : QString();
    return more;
}
