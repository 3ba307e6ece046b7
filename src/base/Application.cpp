#include "base/Application.h"

#include <QCoreApplication>
#include <QFileInfo>

Application Application::OfRunningProgram(const QString& title) {
    Application app;
    app.Title = title;
    app.ProductName = title;
    app.CompanyName = QStringLiteral("Kestrane");
    app.Copyright = QStringLiteral("Copyright Kestrane");
    const QFileInfo program(QCoreApplication::applicationFilePath());
    app.ExeName = program.completeBaseName();
    app.Path = program.absolutePath();
#ifdef LOGIMPORTER_VERSION_MAJOR
    app.Major = LOGIMPORTER_VERSION_MAJOR;
    app.Minor = LOGIMPORTER_VERSION_MINOR;
    app.Revision = LOGIMPORTER_VERSION_PATCH;
#endif
    return app;
}
