#pragma once

#include <QString>

// What the program knows of itself: its title, executable name, folder, product
// and version, as the playout libraries ask for them.
struct Application {
    QString Title;       // "Log Importer"
    QString ExeName;     // the program file's name without its extension
    QString Path;        // the folder of the program file
    QString ProductName; // the product name shown in messages and to the directory
    QString CompanyName;
    QString Copyright;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;

    // The running program, as QCoreApplication describes it.
    static Application OfRunningProgram(const QString& title);
};
