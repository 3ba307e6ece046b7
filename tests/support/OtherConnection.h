#pragma once

#include <QString>

// Runs SQL on a database file over a connection of its own, as another program
// would; the test fails when the SQL does.
void ExecOnOtherConnection(const QString& databasePath, const QString& sql);
