#include "base/DelimitedLine.h"

using namespace Qt::Literals::StringLiterals;

DelimitedLine::Split DelimitedLine::Of(const QString& line, QChar separator, QChar quote) {
    Split split;
    QString field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the field began with a quote
    qsizetype opened = 0;   // where its quote opened
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != quote) {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == quote) {
                field += c; // a doubled quote stands for one
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == separator) {
            split.Fields.append(field);
            field.clear();
            wasQuoted = false;
        } else if (quote != QChar() && c == quote && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            opened = i;
        } else if (wasQuoted) {
            split.Problem = u"text after a closing quote"_s;
            split.Column = int(i + 1);
            return split;
        } else {
            field += c;
        }
    }
    if (quoted) {
        split.Problem = u"a quote that is not closed"_s;
        split.Column = int(opened + 1);
        return split;
    }
    split.Fields.append(field);
    return split;
}
