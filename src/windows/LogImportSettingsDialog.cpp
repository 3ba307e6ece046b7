#include "windows/LogImportSettingsDialog.h"

#include "app/ImportKind.h"

#include "app/LogImportSettingsModel.h"
#include "base/GeneralTools.h"
#include "playout/OperatorSeam.h"
#include "windows/QtDialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

struct RangeFrame {
    const char* frame;
    const char* caption;
    const char* start;
    const char* end;
};

const RangeFrame rangeFrames[] = {{"frameSongs", "Songs", "SongsStart", "SongsEnd"},
                                  {"frameJingles", "Jingles", "JinglesStart", "JinglesEnd"},
                                  {"frameSweepers", "Sweepers", "SweepersStart", "SweepersEnd"},
                                  {"frameAdverts", "Adverts", "AdvertsStart", "AdvertsEnd"},
                                  {"frameCartGroups", "Cart Groups", "CartGroupsStart", "CartGroupsEnd"},
                                  {"fraScripts", "Scripts", "ScriptsRangeStart", "ScriptsRangeEnd"}};

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

LogImportSettingsDialog::LogImportSettingsDialog(LogImportSettingsModel& settings, const QColor& background,
                                                 QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(u"frmLogImportSettings"_s);
    setWindowTitle(u"Log Importer Settings"_s);
    QtDialogParts::SetBackground(this, background.rgb());

    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(u"tbsOptions"_s);
    tabs->addTab(makeRangesTab(), u"Cart Ranges"_s);
    tabs->addTab(makeOffsetsTab(), u"Cart Offsets"_s);
    tabs->addTab(makeOptionsTab(), u"Options"_s);
    layout->addWidget(tabs);

    QPushButton* okButton = nullptr;
    layout->addLayout(QtDialogParts::OkCancelRow(this, &okButton));
    // Any change in an offset box makes OK available.
    for (QLineEdit* offset : {offsetAudioItemsEdit, offsetLinkItemsEdit})
        connect(offset, &QLineEdit::textEdited, okButton, [okButton] { okButton->setEnabled(true); });
}

QLineEdit* LogImportSettingsDialog::box(const QString& name, const QString& text) {
    QLineEdit* edit = QtDialogParts::EditBox(this, name, 90, this);
    edit->setText(text);
    return edit;
}

QWidget* LogImportSettingsDialog::makeRangesTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    int at = 0;
    for (const RangeFrame& range : rangeFrames) {
        QGroupBox* group = frame(QLatin1String(range.frame), QLatin1String(range.caption), page);
        auto* row = new QGridLayout(group);
        for (const char* name : {range.start, range.end}) {
            const QString setting = QLatin1String(name);
            QLineEdit* edit = box(u"txt"_s + setting, settings.Ranges.value(setting));
            rangeBoxes[setting] = edit;
            const int column = name == range.start ? 0 : 2;
            row->addWidget(new QLabel(name == range.start ? u"Start:"_s : u"End:"_s, group), 0, column);
            row->addWidget(edit, 0, column + 1);
        }
        grid->addWidget(group, at / 2, at % 2);
        ++at;
    }
    return page;
}

void LogImportSettingsDialog::addOffset(QGridLayout* grid, int row, const QString& name,
                                        const QString& caption, const QString& text, bool on) {
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(u"chk"_s + name);
    check->setChecked(on);
    QLineEdit* edit = box(u"txt"_s + name, text);
    edit->setEnabled(on);
    connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    grid->addWidget(check, row, 0);
    grid->addWidget(edit, row, 1);
    if (name == u"OffsetAudioItems") {
        offsetAudioItemsCheck = check;
        offsetAudioItemsEdit = edit;
    } else {
        offsetLinkItemsCheck = check;
        offsetLinkItemsEdit = edit;
    }
}

QWidget* LogImportSettingsDialog::makeOffsetsTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* offsets = frame(u"fraOffset"_s, u"Add to the cart numbers read from the music logs"_s, page);
    auto* grid = new QGridLayout(offsets);
    addOffset(grid, 0, u"OffsetAudioItems"_s, u"Audio items"_s, settings.OffsetAudioItems,
              settings.OffsetAudioItemsOn);
    addOffset(grid, 1, u"OffsetLinkItems"_s, u"Link items"_s, settings.OffsetLinkItems,
              settings.OffsetLinkItemsOn);
    layout->addWidget(offsets);
    auto* sum =
        new QLabel(u"These add to the Station Database's own offset (Station Database Settings, Carts: "
                   u"\"Added to every music log cart\"): a cart read from a music log is moved by both."_s,
                   page);
    sum->setObjectName(u"lblOffsetsAddUp"_s);
    sum->setWordWrap(true);
    layout->addWidget(sum);
    layout->addStretch(1);
    return page;
}

QWidget* LogImportSettingsDialog::makeOptionsTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* mainUse = frame(u"fraMainUse"_s, u"Main use"_s, page);
    auto* uses = new QVBoxLayout(mainUse);
    importMusicOption = new QRadioButton(u"Import Music"_s, mainUse);
    importMusicOption->setObjectName(u"optImportMusic"_s);
    importAdvertsOption = new QRadioButton(u"Import Adverts"_s, mainUse);
    importAdvertsOption->setObjectName(u"optImportAdverts"_s);
    importMusicAndAdvertsOption = new QRadioButton(u"Import Music and Adverts"_s, mainUse);
    importMusicAndAdvertsOption->setObjectName(u"optImportMusicAndAdverts"_s);
    for (QRadioButton* option : {importMusicOption, importAdvertsOption, importMusicAndAdvertsOption})
        uses->addWidget(option);
    (settings.Role == ImportKind::Adverts           ? importAdvertsOption
     : settings.Role == ImportKind::MusicAndAdverts ? importMusicAndAdvertsOption
                                                    : importMusicOption)
        ->setChecked(true);
    QGroupBox* other = frame(u"fraOther"_s, u"Start-up"_s, page);
    auto* others = new QVBoxLayout(other);
    warnAtStartupCheck = new QCheckBox(u"Warn at start-up when there is nothing new to import"_s, other);
    warnAtStartupCheck->setObjectName(u"chkWarnAtStartup"_s);
    warnAtStartupCheck->setChecked(settings.WarnAtStartup);
    others->addWidget(warnAtStartupCheck);
    layout->addWidget(mainUse);
    layout->addWidget(makeAdvertsGroup(page));
    layout->addWidget(other);
    layout->addStretch(1);
    return page;
}

QWidget* LogImportSettingsDialog::makeAdvertsGroup(QWidget* page) {
    QGroupBox* adverts = frame(u"fraAdverts"_s, u"Log files"_s, page);
    auto* grid = new QGridLayout(adverts);
    advertTimeWindowEdit = box(u"txtAdvertTimeWindow"_s, settings.AdvertTimeWindow);
    auto* caption = new QLabel(u"Place an advert up to this many seconds from its break's time:"_s, adverts);
    caption->setBuddy(advertTimeWindowEdit);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(advertTimeWindowEdit, 0, 1);
    auto* meaning =
        new QLabel(u"An advert log line goes into the break of its hour whose time is nearest its "
                   u"own, when it is no further away than this (0 to 3600; with 0, only a break at "
                   u"its very time takes it). A line no break takes is named in the run's summary "
                   u"and report."_s,
                   adverts);
    meaning->setObjectName(u"lblAdvertTimeWindow"_s);
    meaning->setWordWrap(true);
    grid->addWidget(meaning, 1, 0, 1, 2);
    advertLogFormatCombo = formatList(u"cboAdvertLogFormat"_s, u"(the layouts known by their marks)"_s,
                                      settings.AdvertLogFormat, adverts);
    musicLogFormatCombo =
        formatList(u"cboMusicLogFormat"_s, u"(the native music log)"_s, settings.MusicLogFormat, adverts);
    int row = 2;
    for (const auto& [caption, list] :
         {std::pair{u"Advert log &layout (stationdb format test tries one on a sample):"_s,
                    advertLogFormatCombo},
          std::pair{u"Music log la&yout (a table a description reads):"_s, musicLogFormatCombo}}) {
        auto* label = new QLabel(caption, adverts);
        label->setBuddy(list);
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row++, 1);
    }
    return adverts;
}

QComboBox* LogImportSettingsDialog::formatList(const QString& name, const QString& none,
                                               const QString& chosen, QWidget* parent) const {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItem(none, QString());
    for (const QString& format : settings.LogFormats)
        list->addItem(format, format);
    list->setCurrentIndex(std::max(0, list->findData(chosen)));
    return list;
}

bool LogImportSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QDialog::eventFilter(watched, event);
    const bool offset = edit == offsetAudioItemsEdit || edit == offsetLinkItemsEdit;
    switch (event->type()) {
    case QEvent::FocusIn:
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        if (offset)
            edit->setText(LogImportSettingsModel::OffsetOnLeaving(edit->text()));
        break;
    case QEvent::KeyPress: {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty() || (offset && (text == u"+" || text == u"-")))
            break;
        if (GeneralTools::FilterKey(text[0].unicode(), 1) == 0)
            return true; // not a key of a whole number
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void LogImportSettingsDialog::copyToModel() {
    for (auto it = rangeBoxes.cbegin(); it != rangeBoxes.cend(); ++it)
        settings.Ranges[it.key()] = it.value()->text();
    settings.OffsetAudioItems = offsetAudioItemsEdit->text();
    settings.OffsetLinkItems = offsetLinkItemsEdit->text();
    settings.OffsetAudioItemsOn = offsetAudioItemsCheck->isChecked();
    settings.OffsetLinkItemsOn = offsetLinkItemsCheck->isChecked();
    settings.Role = importMusicAndAdvertsOption->isChecked() ? ImportKind::MusicAndAdverts
                    : importAdvertsOption->isChecked()       ? ImportKind::Adverts
                                                             : ImportKind::Music;
    settings.WarnAtStartup = warnAtStartupCheck->isChecked();
    settings.AdvertTimeWindow = advertTimeWindowEdit->text();
    settings.AdvertLogFormat = advertLogFormatCombo->currentData().toString();
    settings.MusicLogFormat = musicLogFormatCombo->currentData().toString();
}

void LogImportSettingsDialog::accept() {
    copyToModel();
    if (const QString problem = settings.Problem(); !problem.isEmpty()) {
        OperatorSeam::Message(problem, Operator::Information);
        return;
    }
    // The dialog stays open with what was typed when the values cannot be stored.
    if (const QString failed = settings.Store(); !failed.isEmpty()) {
        OperatorSeam::Message(failed, Operator::Exclamation);
        return;
    }
    QDialog::accept();
}
