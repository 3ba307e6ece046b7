#include "windows/QtOperator.h"

#include "windows/OperatorCursor.h"

#include "windows/frmAudioSettings.h"
#include "windows/frmCueboardSettings.h"
#include "windows/frmDirectorySettings.h"
#include "windows/frmFileLocations.h"
#include "windows/frmLibrarySettings.h"
#include "windows/frmListChooser.h"
#include "windows/frmLogIn.h"
#include "windows/frmStationSettings.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QMessageBox::Icon iconOf(iOperator::Icon icon) {
    switch (icon) {
    case iOperator::Critical:
        return QMessageBox::Critical;
    case iOperator::Question:
        return QMessageBox::Question;
    case iOperator::Exclamation:
        return QMessageBox::Warning;
    case iOperator::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons of each choice, in their order, with the answer each gives.
QList<std::pair<QMessageBox::StandardButton, iOperator::Answer>> buttonsOf(iOperator::Buttons buttons) {
    switch (buttons) {
    case iOperator::OkCancel:
        return {{QMessageBox::Ok, iOperator::Ok}, {QMessageBox::Cancel, iOperator::Cancel}};
    case iOperator::AbortRetryIgnore:
        return {{QMessageBox::Abort, iOperator::Abort},
                {QMessageBox::Retry, iOperator::Retry},
                {QMessageBox::Ignore, iOperator::Ignore}};
    case iOperator::YesNoCancel:
        return {{QMessageBox::Yes, iOperator::Yes},
                {QMessageBox::No, iOperator::No},
                {QMessageBox::Cancel, iOperator::Cancel}};
    case iOperator::YesNo:
        return {{QMessageBox::Yes, iOperator::Yes}, {QMessageBox::No, iOperator::No}};
    case iOperator::RetryCancel:
        return {{QMessageBox::Retry, iOperator::Retry}, {QMessageBox::Cancel, iOperator::Cancel}};
    default:
        return {{QMessageBox::Ok, iOperator::Ok}};
    }
}

} // namespace

iOperator::Answer QtOperator::MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                                         const QString& title) {
    QMessageBox box(iconOf(icon), title, text, QMessageBox::NoButton, owner);
    const auto choices = buttonsOf(buttons);
    for (const auto& [button, answer] : choices)
        box.addButton(button);
    const int preset = std::clamp(defaultButton, 1, int(choices.size())) - 1;
    box.setDefaultButton(choices[preset].first);
    const OperatorCursor arrow;
    const int pressed = box.exec();
    for (const auto& [button, answer] : choices) {
        if (button == pressed)
            return answer;
    }
    return DefaultAnswer(buttons, defaultButton);
}

namespace {

// Runs a dialog modally; True when it was accepted.
bool accepted(QDialog&& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

// The name chosen in a chooser, or "" when it was cancelled.
QString chosen(frmListChooser&& chooser) {
    return chooser.exec() == QDialog::Accepted ? chooser.Chosen() : QString();
}

} // namespace

QString QtOperator::ChooseProfile(const QStringList& profiles, const QString& suggestion) {
    return chosen(frmListChooser({u"Choose Profile"_s, u"&Profiles:"_s, u"New p&rofile:"_s}, profiles,
                                 suggestion, true, owner));
}

DirectoryLogIn QtOperator::LogIn(const QList<DirectoryUser>& users, const QString& product) {
    for (;;) {
        frmLogIn dialog(users, product, owner);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const DirectoryLogIn given = dialog.Given();
        if (!given.Guid.isEmpty())
            return given;
        MessageBox(u"There is no such user in the directory."_s, Exclamation, OkOnly, 1, product);
    }
}

bool QtOperator::EditLibrarySettings(LibrarySettings& settings, const QStringList& databases,
                                     quint32 background) {
    return accepted(frmLibrarySettings(settings, databases, background, owner));
}

QString QtOperator::ChooseDatabase(const QStringList& databases, const QString& suggestion, bool canCreate) {
    return chosen(
        frmListChooser({u"Choose Station Database"_s, u"&Station Databases:"_s, u"New &database:"_s},
                       databases, suggestion, canCreate, owner));
}

bool QtOperator::EditStationSettings(StationSettings& settings, const QString& databaseName) {
    return accepted(frmStationSettings(settings, databaseName, owner));
}

bool QtOperator::EditAudioSettings(AudioSettings& settings) {
    return accepted(frmAudioSettings(settings, owner));
}

bool QtOperator::EditCueboardSettings(CueboardSettings& settings, quint32 background) {
    return accepted(frmCueboardSettings(settings, background, owner));
}

bool QtOperator::EditFileLocations(FileLocations& locations, quint32 background) {
    return accepted(frmFileLocations(locations, background, owner));
}

bool QtOperator::EditDirectory(QList<DirectoryUser>& users) {
    return accepted(frmDirectorySettings(users, owner));
}
