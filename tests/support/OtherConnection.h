#pragma once

#include <QString>
#include <QVariant>

// Runs SQL on a Station Database (a file or a server location) over a connection
// of its own, as another program would; the test fails when the SQL does.
void ExecOnOtherConnection(const QString& location, const QString& sql);
// The first value the SQL gives on a connection of its own.
QVariant ValueOnOtherConnection(const QString& location, const QString& sql);
