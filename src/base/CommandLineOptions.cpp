#include "base/CommandLineOptions.h"

#include <algorithm>

namespace {

QString withLeadingDelimiter(const QString& text, const QString& delimiter) {
    return text.startsWith(delimiter, Qt::CaseInsensitive) ? text : delimiter + text;
}

QString valueAfter(const QString& text, const QString& name, const QString& separator,
                   const QString& delimiter) {
    const QString key = name + separator;
    const qsizetype found = text.indexOf(key, 0, Qt::CaseInsensitive);
    if (found < 0)
        return {};
    const qsizetype start = found + key.size();
    if (start < text.size() && text[start] == u'"') {
        const qsizetype close = text.indexOf(u'"', start + 1);
        return text.mid(start + 1, close < 0 ? -1 : close - start - 1);
    }
    const qsizetype end = delimiter.isEmpty() ? -1 : text.indexOf(delimiter, start, Qt::CaseInsensitive);
    return text.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

QString CommandLineOptions::GetCommandLineOption(const QString& text, const QString& name,
                                                 const QString& separator, const QString& delimiter) {
    const bool wholeWord = !name.startsWith(u'<') && separator != u">" && !delimiter.isEmpty();
    return GetCommandLineOptionEx(text, name, separator, delimiter, wholeWord);
}

QString CommandLineOptions::GetCommandLineOptionEx(const QString& text, const QString& name,
                                                   const QString& separator, const QString& delimiter,
                                                   bool matchWholeWord) {
    if (!matchWholeWord || delimiter.isEmpty())
        return valueAfter(text, name, separator, delimiter);
    return valueAfter(withLeadingDelimiter(text, delimiter), withLeadingDelimiter(name, delimiter), separator,
                      delimiter);
}

QString CommandLineOptions::FromArguments(const QStringList& arguments) {
    QStringList parts;
    for (const QString& argument : arguments) {
        if (!argument.contains(u' ') || argument.contains(u'"')) {
            parts.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        if (argument.startsWith(u'/') && equals > 0 && !argument.left(equals).contains(u' '))
            parts.append(argument.left(equals + 1) + u'"' + argument.mid(equals + 1) + u'"');
        else
            parts.append(u'"' + argument + u'"');
    }
    return parts.join(u' ');
}

namespace {

QStringList wordsOf(const QString& text) {
    QStringList words;
    QString word;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (c == u' ' && !quoted) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word.append(c);
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

} // namespace

QStringList CommandLineOptions::UnknownOptions(const QString& text, const QStringList& known) {
    QStringList unknown;
    for (const QString& word : wordsOf(text)) {
        const bool option = word.startsWith(u'/') || word.startsWith(u'-');
        if (!option || !known.contains(word.mid(1).section(u'=', 0, 0), Qt::CaseInsensitive))
            unknown.append(word);
    }
    return unknown;
}

bool CommandLineOptions::HasOption(const QString& text, const QString& name) {
    const QStringList words = wordsOf(text);
    return std::any_of(words.cbegin(), words.cend(), [&name](const QString& word) {
        return (word.startsWith(u'/') || word.startsWith(u'-')) &&
               word.mid(1).section(u'=', 0, 0).compare(name, Qt::CaseInsensitive) == 0;
    });
}

bool CommandLineOptions::AsksForHelp(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h" || argument == "/?")
            return true;
    }
    return false;
}
