#pragma once

#include "playout/iOperator.h"

class QWidget;

// The operator at a display: message boxes, and simple choosers for the profile,
// the user and the Station Database until the station's own dialogs replace them.
class QtOperator : public iOperator {
public:
    // Dialogs open over `owner` when it is set.
    void SetOwner(QWidget* owner) { this->owner = owner; }

    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList& profiles, const QString& suggestion) override;
    QString LogIn(const QList<DirectoryUser>& users, const QString& product) override;
    bool EditLibrarySettings(LibrarySettings& settings) override;
    QString ChooseDatabase(const QStringList& databases, const QString& suggestion,
                           bool canEditSettings) override;

private:
    QString choose(const QString& title, const QString& label, const QStringList& items,
                   const QString& suggestion);

    QWidget* owner = nullptr;
};
