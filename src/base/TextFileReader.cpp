#include "base/TextFileReader.h"

#include "base/Utf8Text.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

bool TextFileReader::Open(const QString& path) {
    Close();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    open = true;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        utf8 = true;
        position = 3;
    } else {
        utf8 = Utf8Text::HoldsMultiByteText(bytes);
    }
    return true;
}

void TextFileReader::Close() {
    bytes.clear();
    position = 0;
    lines = 0;
    open = false;
    utf8 = false;
}

bool TextFileReader::AtEnd() const {
    return position >= bytes.size();
}

QString TextFileReader::ReadTextLine() {
    if (AtEnd())
        return {};
    const char* begin = bytes.constData() + position;
    const char* end = bytes.constData() + bytes.size();
    const char* stop = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
    const QByteArrayView line(begin, stop - begin);
    position = stop - bytes.constData();
    if (stop != end) // past the line end: CR LF, LF, or a lone CR
        position += *stop == '\r' && stop + 1 != end && stop[1] == '\n' ? 2 : 1;
    ++lines;
    return utf8 ? fromUtf8(line) : Windows1252::Decode(line);
}

QString TextFileReader::fromUtf8(QByteArrayView line) {
    // Only the file's first three bytes can be its byte-order mark; the same bytes
    // at the start of a later line are text (U+FEFF), which Qt's decoding would drop.
    if (!line.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(line);
    QStringDecoder keeping(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return keeping.decode(line);
}

bool TextFileReader::NextLine(QString& line) {
    const bool more = !AtEnd();
    line = more ? ReadTextLine() : QString();
    return more;
}
