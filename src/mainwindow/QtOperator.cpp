#include "mainwindow/QtOperator.h"

#include "playout/DirectoryUser.h"

#include <QInputDialog>
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
    const int pressed = box.exec();
    for (const auto& [button, answer] : choices) {
        if (button == pressed)
            return answer;
    }
    return DefaultAnswer(buttons, defaultButton);
}

QString QtOperator::choose(const QString& title, const QString& label, const QStringList& items,
                           const QString& suggestion) {
    if (items.isEmpty())
        return {};
    bool chosen = false;
    const QString item = QInputDialog::getItem(owner, title, label, items,
                                               std::max(0, int(items.indexOf(suggestion))), false, &chosen);
    return chosen ? item : QString();
}

QString QtOperator::ChooseProfile(const QStringList& profiles, const QString& suggestion) {
    return choose(u"Choose Profile"_s, u"Profile:"_s, profiles, suggestion);
}

QString QtOperator::LogIn(const QList<DirectoryUser>& users, const QString& product) {
    QStringList names;
    for (const DirectoryUser& user : users)
        names.append(user.Name);
    const QString name = choose(u"Log In to "_s + product, u"User:"_s, names, QString());
    for (const DirectoryUser& user : users) {
        if (user.Name == name)
            return user.Guid;
    }
    return {};
}

bool QtOperator::EditLibrarySettings(LibrarySettings&) {
    return false; // the station's settings dialog comes with the station's own dialogs
}

QString QtOperator::ChooseDatabase(const QStringList& databases, const QString& suggestion, bool) {
    return choose(u"Choose Station Database"_s, u"Station Database:"_s, databases, suggestion);
}
