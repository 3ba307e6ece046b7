#pragma once

#include "base/ScheduleDate.h"

#include <QString>
#include <QStringList>
#include <optional>

// The program's command line, read once into every option it takes (see the
// program's --help). Names ignore case; a value with blanks is in double quotes.
// Nothing else reads the command line: the start-up, the window and the
// unattended run take what they need from here.
struct RunOptions {
    // The appearance /StandardAsk and /Standard choose (when the machine allows the
    // Enterprise one at all).
    enum Appearance { Enterprise, AskOperator, Standard };
    static constexpr int DefaultCheckHours = 48;
    static constexpr int MostCheckHours = 8784; // a leap year

    bool Schedule = false; // /SCHEDULE or /IMPORT
    bool Silent = false;
    bool Quit = false;
    bool DryRun = false;
    bool NoPreviousCheck = false;
    ::RunOptions::Appearance Look = Enterprise;
    // /START and /END as read; nothing when absent or not a date and time (Warnings
    // says so). One before the schedule's first day is its first day, which the
    // range check refuses as it does a late one.
    std::optional<ScheduleDate> Start;
    std::optional<ScheduleDate> End;
    QString Report;   // /REPORT=FILE, "" for none
    QString Profile;  // /Profile=NAME
    QString Database; // /DATABASE=, as typed: a server database's location keeps its case
    QString UserGuid;
    int Players = 0; // /PLAYERS=n; 0 when not given or not a number of players
    // /DEBUG and its value ("" for the fullest); nothing when not given.
    std::optional<QString> Debug;
    // /CHECK[=hours]: the hours from now to check (0: no check; -1: the value was
    // refused, and CheckRefused says why).
    int CheckHours = 0;
    QString CheckRefused;
    // What was read but not taken: an unknown option, a /START or /END that is not
    // a date and time. The run warns of each.
    QStringList Warnings;

    // The options of a Windows-style command line (see CommandLineOptions).
    static RunOptions Read(const QString& commandLine);
    // The same from the program's arguments, without the program.
    static RunOptions FromArguments(const QStringList& arguments);
    // The names of the options the program takes (without their "/").
    static const QStringList& Names();

private:
    void readCheckHours(const QString& commandLine);
    void readDate(const QString& commandLine, const QString& option, std::optional<ScheduleDate>& date);
};
