#include "windows/FileLocationsDialog.h"

#include "playout/FileLocations.h"
#include "windows/QtDialogParts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Location {
    QString FileLocations::*folder;
    const char* name;
    const char* caption;
};

const Location places[] = {
    {&FileLocations::ApplicationLogs, "txtApplicationLogs", "&Application logs:"},
    {&FileLocations::StationDatabases, "txtStationDatabases", "&Shared Station Databases:"},
    {&FileLocations::LocalStationDatabases, "txtLocalStationDatabases", "&This profile's Station Databases:"},
};

} // namespace

FileLocationsDialog::FileLocationsDialog(FileLocations& locations, quint32 background, QWidget* parent)
    : QDialog(parent), locations(locations) {
    const QStringList defaults = FileLocations::Defaults(locations.Profile);
    setObjectName(u"frmFileLocations"_s);
    setWindowTitle(u"Ostrel File Locations"_s);
    QtDialogParts::SetBackground(this, background);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = nullptr;
        QLayout* row =
            QtDialogParts::FolderRow(this, QLatin1String(places[i].name), u"Choose the folder"_s, &box);
        box->setText(locations.*places[i].folder);
        box->setPlaceholderText(defaults.value(i));
        auto* label = new QLabel(QLatin1String(places[i].caption), this);
        label->setBuddy(box);
        form->addRow(label, row);
        folders.append(box);
    }
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    resize(780, sizeHint().height());
}

void FileLocationsDialog::accept() {
    for (int i = 0; i < 3; ++i)
        locations.*places[i].folder = folders[i]->text().trimmed();
    QDialog::accept();
}
