#pragma once

#include "playout/iOperator.h"

// The operator of an unattended run: nobody is there. Messages go to the standard
// error stream, boxes take their default button and every dialog is cancelled.
class SilentOperator : public iOperator {
public:
    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList&, const QString&) override { return {}; }
    QString LogIn(const QList<DirectoryUser>&, const QString&) override { return {}; }
    bool EditLibrarySettings(LibrarySettings&) override { return false; }
    QString ChooseDatabase(const QStringList&, const QString&, bool) override { return {}; }
};
