#include "base/RtfWriter.h"

#include "base/Windows1252.h"

namespace {

QByteArray escaped(QChar character) {
    const char16_t code = character.unicode();
    if (code == u'\\' || code == u'{' || code == u'}')
        return QByteArray("\\") + char(code);
    if (code == u'\t')
        return "\\tab ";
    if (code == QChar::LineSeparator)
        return "\\line ";
    if (code >= 0x20 && code < 0x80)
        return QByteArray(1, char(code));
    const QByteArray encoded = Windows1252::Encode(QStringView(&character, 1));
    if (encoded != "?")
        return "\\'" + encoded.toHex();
    // Beyond the code page: the character itself as a signed 16-bit number, and "?"
    // for readers that do not know it.
    return "\\u" + QByteArray::number(qint16(code)) + '?';
}

QByteArray formatOf(const RichRun& run) {
    QByteArray format = run.Bold ? "\\b" : "\\b0";
    format += run.Italic ? "\\i" : "\\i0";
    format += run.Underline ? "\\ul" : "\\ulnone";
    return format + "\\fs" + QByteArray::number(run.HalfPoints) + ' ';
}

} // namespace

QByteArray RtfWriter::Write(const RichDocument& document) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                     "\\uc1\\pard\\plain\\f0\\fs24 ";
    for (const RichParagraph& paragraph : document) {
        for (const RichRun& run : paragraph.Runs) {
            rtf += formatOf(run);
            for (const QChar character : run.Text)
                rtf += escaped(character);
        }
        rtf += "\\par\r\n";
    }
    return rtf + "}\r\n";
}
