#pragma once

#include <QString>

// File and folder queries of the playout libraries. Paths may use either
// separator; results use "/".
class FileTools {
public:
    // Shell folder identifier of the all-users application data folder.
    static constexpr int CommonAppData = 35;

    static bool FileExists(const QString& path);
    static bool FolderExists(const QString& path);
    // Creates the folder with any missing parents; True when it exists afterwards.
    static bool CreateFolder(const QString& path);
    // The size in bytes, or -1 when there is no such file.
    static qint64 FileSize(const QString& path);
    // Writes the bytes as the whole file, in one step (a reader never sees half of
    // it); False, with why, when it cannot be written.
    static bool WriteWhole(const QString& path, const QByteArray& bytes, QString* problem);
    // The folder part of a path, without a trailing separator.
    static QString FolderOfPath(const QString& path);
    // The file's name without its folder and extension.
    static QString FileTitle(const QString& path);
    // The extension of a file's name, without its dot; "" when it has none.
    static QString Extension(const QString& path);
    // The folder above the given folder.
    static QString ParentFolder(const QString& folder);
    // Why a text cannot name a file or folder of its own (a profile, a Station
    // Database) on every platform; "" when it can.
    static QString NameProblem(const QString& name);
    // A shell folder by identifier; only CommonAppData is known, others give "".
    static QString SpecialFolder(int identifier);
};
