#include "windows/QtOperator.h"

#include "windows/OperatorCursor.h"

#include "windows/AudioSettingsDialog.h"
#include "windows/CueboardSettingsDialog.h"
#include "windows/DirectorySettingsDialog.h"
#include "windows/FileLocationsDialog.h"
#include "windows/LibrarySettingsDialog.h"
#include "windows/ListChooserDialog.h"
#include "windows/LogInDialog.h"
#include "windows/StationSettingsDialog.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QMessageBox::Icon iconOf(Operator::Icon icon) {
    switch (icon) {
    case Operator::Critical:
        return QMessageBox::Critical;
    case Operator::Question:
        return QMessageBox::Question;
    case Operator::Exclamation:
        return QMessageBox::Warning;
    case Operator::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons of each choice, in their order, with the answer each gives.
QList<std::pair<QMessageBox::StandardButton, Operator::Answer>> buttonsOf(Operator::Buttons buttons) {
    switch (buttons) {
    case Operator::OkCancel:
        return {{QMessageBox::Ok, Operator::Ok}, {QMessageBox::Cancel, Operator::Cancel}};
    case Operator::AbortRetryIgnore:
        return {{QMessageBox::Abort, Operator::Abort},
                {QMessageBox::Retry, Operator::Retry},
                {QMessageBox::Ignore, Operator::Ignore}};
    case Operator::YesNoCancel:
        return {{QMessageBox::Yes, Operator::Yes},
                {QMessageBox::No, Operator::No},
                {QMessageBox::Cancel, Operator::Cancel}};
    case Operator::YesNo:
        return {{QMessageBox::Yes, Operator::Yes}, {QMessageBox::No, Operator::No}};
    case Operator::RetryCancel:
        return {{QMessageBox::Retry, Operator::Retry}, {QMessageBox::Cancel, Operator::Cancel}};
    default:
        return {{QMessageBox::Ok, Operator::Ok}};
    }
}

} // namespace

Operator::Answer QtOperator::MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
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
QString chosen(ListChooserDialog&& chooser) {
    return chooser.exec() == QDialog::Accepted ? chooser.Chosen() : QString();
}

} // namespace

QString QtOperator::ChooseProfile(const QStringList& profiles, const QString& suggestion) {
    return chosen(ListChooserDialog({u"Choose Profile"_s, u"&Profiles:"_s, u"New p&rofile:"_s}, profiles,
                                    suggestion, true, owner));
}

DirectoryLogIn QtOperator::LogIn(const QList<DirectoryUser>& users, const QString& product) {
    for (;;) {
        LogInDialog dialog(users, product, owner);
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
    return accepted(LibrarySettingsDialog(settings, databases, background, owner));
}

QString QtOperator::ChooseDatabase(const QStringList& databases, const QString& suggestion, bool canCreate) {
    return chosen(
        ListChooserDialog({u"Choose Station Database"_s, u"&Station Databases:"_s, u"New &database:"_s},
                          databases, suggestion, canCreate, owner));
}

bool QtOperator::EditStationSettings(StationSettings& settings, const QString& databaseName) {
    return accepted(StationSettingsDialog(settings, databaseName, owner));
}

bool QtOperator::EditAudioSettings(AudioSettings& settings) {
    return accepted(AudioSettingsDialog(settings, owner));
}

bool QtOperator::EditCueboardSettings(CueboardSettings& settings, quint32 background) {
    return accepted(CueboardSettingsDialog(settings, background, owner));
}

bool QtOperator::EditFileLocations(FileLocations& locations, quint32 background) {
    return accepted(FileLocationsDialog(locations, background, owner));
}

bool QtOperator::EditDirectory(QList<DirectoryUser>& users) {
    return accepted(DirectorySettingsDialog(users, owner));
}
