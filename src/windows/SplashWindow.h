#pragma once

#include "app/SplashView.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QWidget>

class QHBoxLayout;
class QLabel;

// The splash window shown while the tool starts: the program's version, company
// and copyright, the platform, the current start-up action, and a row of status
// icons that turn from "off" to "on" pictures as the start-up's stages complete.
class SplashWindow : public QWidget, public SplashView {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    void Load() override;
    void SetNumberIcons(int count) override;
    int NumberIcons() const { return numberIcons; }
    void SetIconInfo(int index, const QString& picture, const QString& caption) override;
    int LastIconChangedIndex() const { return lastIconChanged; }
    void SetLastIconChangedIndex(int index) { lastIconChanged = index; }
    void SetCurrentAction(const QString& action) override;
    void Show() override;
    bool Floating() const { return floating; }
    void SetFloating(bool value);
    const QString& LogoFileName() const { return logoFile; }

    // The pictures by key: "local", "playout", "security", each also with "on".
    static QPixmap Picture(const QString& key);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label(const QString& name, const QString& text = {});

    QString logoFile;
    bool floating = false;
    int numberIcons = 0;
    int lastIconChanged = 0;
    QLabel* logo = nullptr;
    QLabel* statusLabel = nullptr;
    QLabel* platformLabel = nullptr;
    QLabel* platformSPLabel = nullptr;
    QHBoxLayout* iconRow = nullptr;
    QList<QLabel*> icons;
    QList<QLabel*> captions;
};
