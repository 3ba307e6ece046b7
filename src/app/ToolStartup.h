#pragma once

#include "app/ToolState.h"

#include <QString>
#include <QStringList>

class SplashView;

// The start-up every run passes through (InitialiseTool) and the shut-down it ends
// with (TerminateTool): the profile chosen, the playout system's library objects
// created, the station settings checked and the user logged in.
class ToolStartup {
public:
    static constexpr int ApplicationType = 4;

    // The state's Options are the program's command line; splash may be null, for a
    // run that has no window.
    ToolStartup(ToolState& state, SplashView* splash);

    // True when the tool may go on; False when it must stop.
    bool InitialiseTool(const QString& toolName, int securityMode, bool showSplash,
                        const QString& profileOverride, bool withPlayout);
    // Why InitialiseTool returned False.
    const QString& FailureReason() const { return failure; }
    // Releases whatever InitialiseTool created.
    void TerminateTool();

private:
    void showAction(const QString& action);
    void showAndWrite(const QString& text);
    bool checkMachine();
    bool chooseProfile(const QString& profileOverride);
    void createFolders(const QString& toolName);
    void takeBackFolders();
    bool openDirectory();
    void loadAudioSettings();
    bool createPlayout();
    bool loadStationLibrary();
    bool logIn();

    // Ends the start-up: `line` goes to the debug log, `reason` (the line when none
    // is given) is what the operator is told.
    bool fail(const QString& line, const QString& reason = QString());
    // Why no profile could be used, said so that an operator knows what to do.
    QString noProfileReason() const;
    QString incompleteSettingsReason() const;

    ToolState& state;
    QString failure;
    SplashView* splash;
    bool splashShown = false;
    QStringList madeFolders; // the profile's folders this start-up made, the deepest first
    bool profileExisted = false;
};
