#pragma once

#include <QString>

// The splash window as the start-up drives it: a line for the current action and
// a row of status icons, each a picture with a caption.
class SplashView {
public:
    virtual ~SplashView() = default;
    virtual void Load() = 0;
    virtual void SetNumberIcons(int count) = 0;
    // index counts from 1; picture is a key such as "local" or "localon".
    virtual void SetIconInfo(int index, const QString& picture, const QString& caption) = 0;
    virtual void SetCurrentAction(const QString& action) = 0;
    // Shows the window without waiting for it.
    virtual void Show() = 0;
};
