#pragma once

#include <QString>

// New temporary file names.
class TempFile {
public:
    // A file name in the folder (the temporary folder when empty) that no file
    // had, made from the application title. With the extension "" or "TMP" the
    // file is created empty; with another extension the name ends in it instead and
    // no file is left. "" when no name could be made.
    static QString GetTempFile(const QString& folder, const QString& extension);
};
