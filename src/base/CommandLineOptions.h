#pragma once

#include <QString>
#include <QStringList>

// Reading options such as /Profile="Studio 2" out of a Windows-style command line.
class CommandLineOptions {
public:
    // The value of an option, or "" when absent. Unless the name begins with "<",
    // the separator is ">" or the delimiter is empty, the name only matches as a
    // whole word: after the delimiter or at the start of the text. Names match
    // ignoring case. A value in double quotes runs to the closing quote; any other
    // value runs to the next delimiter.
    static QString GetCommandLineOption(const QString& text, const QString& name, const QString& separator,
                                        const QString& delimiter);
    // The same, matching the name as a whole word only when asked to.
    static QString GetCommandLineOptionEx(const QString& text, const QString& name, const QString& separator,
                                          const QString& delimiter, bool matchWholeWord);

    // The Windows-style command line of an argument vector (without the program):
    // arguments joined by blanks, an option's value that holds blanks put in double
    // quotes (/Profile="Studio 2"), any other argument with blanks quoted whole.
    static QString FromArguments(const QStringList& arguments);
    // The words of a command line that are not options among `known` (names without
    // their "/", ignoring case). Words are separated by blanks outside double quotes;
    // a word that begins with "/" or "-" is an option named up to its "=".
    // Whether a program's arguments (argv, the program first) ask for its usage:
    // --help, -h or /? anywhere among them.
    static bool AsksForHelp(int argc, const char* const argv[]);
    static QStringList UnknownOptions(const QString& text, const QStringList& known);
    // Whether the command line holds the option (a name without its "/", ignoring
    // case) as a word of its own, with or without a value.
    static bool HasOption(const QString& text, const QString& name);
};
