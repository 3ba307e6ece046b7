#include "windows/SplashWindow.h"

#include "app/SplashText.h"
#include "base/GeneralTools.h"
#include "base/SystemTools.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSysInfo>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pictureSize = 32;

// A status picture of our own: a rounded tile with the stage's letter, grey while
// the stage is pending and green once it is done.
QPixmap drawPicture(QChar letter, bool on) {
    QPixmap picture(pictureSize, pictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(on ? QColor(0x1b, 0x6e, 0x20) : QColor(0x70, 0x70, 0x70), 2));
    painter.setBrush(on ? QColor(0x4c, 0xaf, 0x50) : QColor(0xc8, 0xc8, 0xc8));
    painter.drawRoundedRect(QRectF(2, 2, pictureSize - 4, pictureSize - 4), 6, 6);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(pictureSize / 2);
    painter.setFont(font);
    painter.setPen(on ? Qt::white : QColor(0x50, 0x50, 0x50));
    painter.drawText(QRect(0, 0, pictureSize, pictureSize), Qt::AlignCenter, QString(letter));
    return picture;
}

} // namespace

QPixmap SplashWindow::Picture(const QString& key) {
    const bool on = key.endsWith(u"on"_s);
    const QString stage = on ? key.chopped(2) : key;
    if (stage != u"local" && stage != u"playout" && stage != u"security")
        return {};
    return drawPicture(stage[0].toUpper(), on);
}

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    setObjectName(u"frmSplash"_s);
    const Application& app = GeneralTools::App();
    logoFile = SplashText::LogoFile(app.Path, app.ExeName);
    auto* layout = new QVBoxLayout(this);
    logo = label(u"imgLogo"_s);
    logo->hide(); // until a logo is loaded
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addWidget(label(u"lblTitle"_s, app.ProductName.isEmpty() ? app.Title : app.ProductName));
    layout->addWidget(label(u"lblVersion"_s));
    layout->addWidget(label(u"lblCompany"_s));
    layout->addWidget(label(u"lblCopyright"_s));
    auto* platform = new QHBoxLayout;
    platformLabel = label(u"lblPlatform"_s, u"Platform"_s);
    platformSPLabel = label(u"lblPlatformSP"_s);
    platform->addWidget(platformLabel);
    platform->addWidget(platformSPLabel, 1);
    layout->addLayout(platform);
    iconRow = new QHBoxLayout;
    layout->addLayout(iconRow);
    statusLabel = label(u"lblStatus"_s);
    layout->addWidget(statusLabel);
    setMinimumWidth(420);
}

QLabel* SplashWindow::label(const QString& name, const QString& text) {
    auto* created = new QLabel(text, this);
    created->setObjectName(name);
    return created;
}

void SplashWindow::Load() {
    if (!logoFile.isEmpty()) {
        const QPixmap picture(logoFile);
        if (!picture.isNull()) {
            logo->setPixmap(picture);
            logo->show();
        }
    }
    const Application& app = GeneralTools::App();
    findChild<QLabel*>(u"lblVersion"_s)
        ->setText(u"Version %1.%2.%3"_s.arg(app.Major).arg(app.Minor).arg(app.Revision));
    findChild<QLabel*>(u"lblCompany"_s)->setText(app.CompanyName + u' ');
    findChild<QLabel*>(u"lblCopyright"_s)->setText(app.Copyright);
    const WindowsVersionInfo version = SystemTools::WindowsVersion();
    // Windows by its own names; any other system by the name it gives itself.
    platformLabel->setText(SplashText::PlatformLabel(version, QSysInfo::prettyProductName()));
    if (const QString pack = SplashText::ServicePack(version.ServicePack); !pack.isEmpty())
        platformSPLabel->setText(pack);
    SetNumberIcons(0);
}

void SplashWindow::SetNumberIcons(int count) {
    numberIcons = std::max(0, count);
    while (icons.size() < numberIcons) {
        auto* column = new QVBoxLayout;
        icons.append(label(u"imgIcon(%1)"_s.arg(icons.size() + 1)));
        captions.append(label(u"lblIconDescription(%1)"_s.arg(captions.size() + 1)));
        icons.last()->setFixedSize(pictureSize, pictureSize);
        captions.last()->setAlignment(Qt::AlignHCenter);
        column->addWidget(icons.last(), 0, Qt::AlignHCenter);
        column->addWidget(captions.last());
        iconRow->addLayout(column, 1);
    }
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const bool shown = i < numberIcons;
        if (!shown) {
            icons[i]->clear();
            captions[i]->clear();
        }
        icons[i]->setVisible(shown);
        captions[i]->setVisible(shown);
    }
    adjustSize();
}

void SplashWindow::SetIconInfo(int index, const QString& picture, const QString& caption) {
    if (index < 1 || index > numberIcons)
        return;
    icons[index - 1]->setPixmap(Picture(picture));
    captions[index - 1]->setText(caption);
    lastIconChanged = index;
}

void SplashWindow::SetCurrentAction(const QString& action) {
    statusLabel->setText(action);
    statusLabel->repaint();
}

void SplashWindow::Show() {
    show();
    QApplication::processEvents();
}

void SplashWindow::SetFloating(bool value) {
    floating = value;
    const bool shown = isVisible(); // changing the flag hides the window
    setWindowFlag(Qt::WindowStaysOnTopHint, value);
    if (shown)
        show();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    SetNumberIcons(0);
    lastIconChanged = 0;
    QWidget::closeEvent(event);
}
