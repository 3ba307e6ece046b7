#pragma once

#include "app/SplashView.h"

#include <QStringList>

// A splash window that records what it was asked to show, one text per call.
class RecordingSplash : public SplashView {
public:
    QStringList Calls;

    void Load() override { Calls.append(QStringLiteral("Load")); }
    void SetNumberIcons(int count) override { Calls.append(QStringLiteral("Icons %1").arg(count)); }
    void SetIconInfo(int index, const QString& picture, const QString& caption) override {
        Calls.append(QStringLiteral("Icon %1 %2 %3").arg(index).arg(picture, caption));
    }
    void SetCurrentAction(const QString& action) override {
        Calls.append(QStringLiteral("Action ") + action);
    }
    void Show() override { Calls.append(QStringLiteral("Show")); }
};
