#include "windows/StationSettingsDialog.h"

#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "playout/OperatorSeam.h"
#include "stationdb/LogFileNames.h"
#include "stationdb/StationSettings.h"
#include "windows/PathLabel.h"
#include "windows/QtDialogParts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

enum FieldKind { Folder, Format, Text, Number };
enum Tab { MusicLogs, AdvertLogs, Carts, ScheduledLog };

struct Field {
    const char* name;
    Tab tab;
    const char* caption;
    FieldKind kind;
};

const Field settingFields[] = {
    {"MusicLogsDirectory", MusicLogs, "Music logs &folder:", Folder},
    {"MusicFileNameFormat", MusicLogs, "Date in file &name:", Format},
    {"MusicFileNamePrefix", MusicLogs, "&Prefix before the date:", Text},
    {"MusicFileExtension", MusicLogs, "&Extension:", Text},
    {"AdvertLogsDirectory", AdvertLogs, "Advert logs &folder:", Folder},
    {"AdvertFileNameFormat", AdvertLogs, "Date in file &name:", Format},
    {"AdvertFileNamePrefix", AdvertLogs, "&Prefix before the date:", Text},
    {"AdvertFileExtension", AdvertLogs, "&Extension:", Text},
    {"AdvertTypeFilter", AdvertLogs, "Import only adverts of &type:", Text},
    {"CartOffset", Carts, "Added to every &music log cart (besides the Log Importer's offsets):", Number},
    {"AdvertCartOffset", Carts, "Added to every &advert log cart:", Number},
    {"AutoPurgeDays", ScheduledLog, "&Keep this many days before today (0 keeps all):", Number},
    {"UnderrunThreshold", ScheduledLog, "&Warn of hours shorter than (seconds, 0 for never):", Number},
    {"BreakLengthTolerance", ScheduledLog,
     "A break's adverts may run &longer or shorter than it by (seconds, 0 for no check):", Number},
};

const char* const tabCaptions[] = {"Music Logs", "Advert Logs", "Carts", "Scheduled Log"};

} // namespace

StationSettingsDialog::StationSettingsDialog(StationSettings& settings, const QString& databaseName,
                                             QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(u"frmStationSettings"_s);
    setWindowTitle(u"Station Database Settings - "_s + databaseName);
    auto* layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    tabs->setObjectName(u"tbsSettings"_s);
    for (int tab = MusicLogs; tab <= ScheduledLog; ++tab)
        tabs->addTab(makeTab(tab), QLatin1String(tabCaptions[tab]));
    layout->addWidget(tabs);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    updateExamples();
}

QWidget* StationSettingsDialog::makeTab(int tab) {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    for (const Field& field : settingFields) {
        if (field.tab != tab)
            continue;
        QLayout* row = nullptr;
        QWidget* box = makeBox(QLatin1String(field.name), field.kind, page, &row);
        auto* label = new QLabel(QLatin1String(field.caption), page);
        label->setBuddy(box); // the access key goes to the box, not the browse button
        if (row)
            form->addRow(label, row);
        else
            form->addRow(label, box);
    }
    if (tab == MusicLogs || tab == AdvertLogs) {
        PathLabel*& example = tab == MusicLogs ? musicExampleLabel : advertExampleLabel;
        example = new PathLabel(page);
        example->setObjectName(tab == MusicLogs ? u"lblMusicExample"_s : u"lblAdvertExample"_s);
        example->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(u"Today's file:"_s, example);
    }
    return page;
}

QWidget* StationSettingsDialog::makeBox(const QString& name, int kind, QWidget* page, QLayout** row) {
    const QString value = settings.Value(name);
    QWidget* box = nullptr;
    if (kind == Folder) {
        QLineEdit* edit = nullptr;
        *row = QtDialogParts::FolderRow(page, u"txt"_s + name, u"Choose the folder"_s, &edit);
        edit->setText(value);
        connect(edit, &QLineEdit::textChanged, this, &StationSettingsDialog::updateExamples);
        box = edit;
    } else if (kind == Format) {
        auto* combo = new QComboBox(page);
        combo->setObjectName(u"cbo"_s + name);
        combo->setEditable(true);
        combo->addItems({QString(), u"yymmdd"_s, u"yyddmm"_s, u"ddmmyy"_s, u"mmddyy"_s});
        combo->setCurrentText(value);
        connect(combo, &QComboBox::currentTextChanged, this, &StationSettingsDialog::updateExamples);
        box = combo;
    } else {
        auto* edit = new QLineEdit(value, page);
        edit->setObjectName(u"txt"_s + name);
        if (kind == Number)
            edit->setMaximumWidth(120);
        connect(edit, &QLineEdit::textChanged, this, &StationSettingsDialog::updateExamples);
        box = edit;
    }
    boxes.insert(name, box);
    return box;
}

QString StationSettingsDialog::valueOf(const QString& name) const {
    QWidget* box = boxes.value(name);
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->currentText().trimmed();
    return static_cast<QLineEdit*>(box)->text().trimmed();
}

void StationSettingsDialog::updateExamples() {
    if (!musicExampleLabel || !advertExampleLabel)
        return; // still being built
    const qint32 today = ScheduleDateTools::Today().Day;
    for (const auto& [label, kind] :
         {std::pair{musicExampleLabel, u"Music"_s}, std::pair{advertExampleLabel, u"Advert"_s}}) {
        const QString folder = valueOf(kind + u"LogsDirectory"_s);
        if (folder.isEmpty()) {
            label->SetPath(u"(no folder given)"_s);
            continue;
        }
        const QString path = LogFileNames::Path(folder, valueOf(kind + u"FileNamePrefix"_s),
                                                valueOf(kind + u"FileNameFormat"_s),
                                                valueOf(kind + u"FileExtension"_s), today);
        label->SetPath(FileTools::FolderExists(folder) ? path : path + u"  (the folder does not exist)"_s);
    }
}

void StationSettingsDialog::accept() {
    StationSettings changed = settings;
    for (const Field& field : settingFields) {
        const QString name = QLatin1String(field.name);
        const QString problem = StationSettings::Problem(name, valueOf(name));
        if (!problem.isEmpty()) {
            tabs->setCurrentIndex(field.tab);
            OperatorSeam::Message(problem, Operator::Exclamation);
            boxes.value(name)->setFocus();
            return;
        }
        changed.SetValue(name, valueOf(name));
    }
    settings = changed;
    QDialog::accept();
}
