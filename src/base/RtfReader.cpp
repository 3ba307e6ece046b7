#include "base/RtfReader.h"

#include "base/Windows1252.h"

#include <QHash>
#include <QStack>

using namespace Qt::Literals::StringLiterals;

namespace {

// The state a group carries and restores when it ends.
struct GroupState {
    RichRun Format;
    bool Hidden = false;    // inside a destination that is not shown
    int FallbackLength = 1; // \ucN: characters that stand in after a \uN
};

// Destinations whose text is never shown.
bool isHiddenDestination(QByteArrayView word) {
    static const QList<QByteArray> hidden = {
        "fonttbl",      "colortbl",  "stylesheet", "info",       "pict",
        "header",       "headerl",   "headerr",    "headerf",    "footer",
        "footerl",      "footerr",   "footerf",    "listtable",  "listoverridetable",
        "rsidtbl",      "generator", "xmlnstbl",   "themedata",  "colorschememapping",
        "latentstyles", "datastore", "fldinst",    "object",     "filetbl",
        "revtbl",       "pgdsctbl",  "footnote",   "annotation", "bkmkstart",
        "bkmkend"};
    return hidden.contains(word);
}

QChar symbolOf(QByteArrayView word) {
    static const QHash<QByteArray, QChar> symbols = {
        {"emdash", QChar(0x2014)},    {"endash", QChar(0x2013)},  {"bullet", QChar(0x2022)},
        {"lquote", QChar(0x2018)},    {"rquote", QChar(0x2019)},  {"ldblquote", QChar(0x201C)},
        {"rdblquote", QChar(0x201D)}, {"tab", QChar(u'\t')},      {"line", QChar(QChar::LineSeparator)},
        {"emspace", QChar(0x2003)},   {"enspace", QChar(0x2002)}, {"qmspace", QChar(0x2005)}};
    return symbols.value(word.toByteArray(), QChar());
}

class Parser {
public:
    explicit Parser(const QByteArray& rtf) : rtf(rtf) { document.append(RichParagraph()); }

    RichDocument Run() {
        while (at < rtf.size()) {
            const char c = rtf[at++];
            if (c == '{')
                groups.push(state);
            else if (c == '}')
                endGroup();
            else if (c == '\\')
                control();
            else if (c != '\r' && c != '\n')
                text(Windows1252::ToChar(uchar(c)));
        }
        if (document.last().Runs.isEmpty() && document.size() > 1)
            document.removeLast(); // the paragraph a closing \par opened
        return document;
    }

private:
    void endGroup() {
        pendingFallback = 0;
        if (!groups.isEmpty())
            state = groups.pop();
    }

    // A character of the document, unless it stands in for a \uN just read.
    void text(QChar character) {
        if (pendingFallback > 0) {
            --pendingFallback;
            return;
        }
        if (state.Hidden)
            return;
        QList<RichRun>& runs = document.last().Runs;
        if (runs.isEmpty() || !runs.last().SameFormat(state.Format)) {
            RichRun run = state.Format;
            run.Text.clear();
            runs.append(run);
        }
        runs.last().Text += character;
    }

    void control() {
        if (at >= rtf.size())
            return;
        const char c = rtf[at];
        if (std::isalpha(uchar(c))) {
            controlWord();
            return;
        }
        ++at;
        switch (c) {
        case '\'':
            hexEscape();
            break;
        case '*':
            state.Hidden = true; // an optional destination this reader does not know
            break;
        case '~':
            text(QChar(0x00A0));
            break;
        case '_':
            text(QChar(0x2011));
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '-': // an optional hyphen: not shown
            break;
        default: // \\, \{, \} and any other symbol stand for themselves
            text(QChar::fromLatin1(c));
        }
    }

    void hexEscape() {
        bool ok = false;
        const int byte = rtf.mid(at, 2).toInt(&ok, 16);
        at += 2;
        if (ok)
            text(Windows1252::ToChar(uchar(byte)));
    }

    void controlWord() {
        const qsizetype start = at;
        while (at < rtf.size() && std::isalpha(uchar(rtf[at])))
            ++at;
        const QByteArray word = rtf.mid(start, at - start);
        const qsizetype numberStart = at;
        if (at < rtf.size() && rtf[at] == '-')
            ++at;
        while (at < rtf.size() && std::isdigit(uchar(rtf[at])))
            ++at;
        bool hasNumber = false;
        const int number = rtf.mid(numberStart, at - numberStart).toInt(&hasNumber);
        if (at < rtf.size() && rtf[at] == ' ')
            ++at; // the space that ends a control word is part of it
        apply(word, hasNumber ? number : -1, hasNumber);
    }

    void apply(const QByteArray& word, int number, bool hasNumber) {
        RichRun& format = state.Format;
        const bool on = !hasNumber || number != 0;
        if (isHiddenDestination(word))
            state.Hidden = true;
        else if (word == "par" || word == "sect" || word == "page")
            paragraph();
        else if (word == "b")
            format.Bold = on;
        else if (word == "i")
            format.Italic = on;
        else if (word == "ul")
            format.Underline = on;
        else if (word == "ulnone")
            format.Underline = false;
        else if (word == "fs" && hasNumber && number > 0)
            format.HalfPoints = number;
        else if (word == "plain")
            format = RichRun();
        else if (word == "uc" && hasNumber && number >= 0)
            state.FallbackLength = number;
        else if (word == "u" && hasNumber)
            unicode(number);
        else if (const QChar symbol = symbolOf(word); !symbol.isNull())
            text(symbol);
    }

    void unicode(int number) {
        pendingFallback = 0;
        text(QChar(char16_t(number < 0 ? number + 65536 : number)));
        pendingFallback = state.FallbackLength;
    }

    void paragraph() {
        pendingFallback = 0;
        if (!state.Hidden)
            document.append(RichParagraph());
    }

    const QByteArray& rtf;
    qsizetype at = 0;
    GroupState state;
    QStack<GroupState> groups;
    int pendingFallback = 0;
    RichDocument document;
};

} // namespace

std::optional<RichDocument> RtfReader::Read(const QByteArray& rtf) {
    if (!rtf.startsWith("{\\rtf"))
        return std::nullopt;
    return Parser(rtf).Run();
}
