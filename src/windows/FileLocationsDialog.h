#pragma once

#include <QDialog>

class FileLocations;
class QLineEdit;

// Where the profile keeps the playout system's folders: the application logs, the
// shared Station Databases and the profile's own. A blank folder is the system's
// own place, shown greyed in the box.
class FileLocationsDialog : public QDialog {
    Q_OBJECT
public:
    FileLocationsDialog(FileLocations& locations, quint32 background, QWidget* parent = nullptr);

    void accept() override;

private:
    FileLocations& locations;
    QList<QLineEdit*> folders;
};
