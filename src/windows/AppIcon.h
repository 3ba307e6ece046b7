#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn here: a log sheet on a blue square with an arrow
// bringing an item into it. The main window takes it, and the package installs
// it (the icon program draws it to a PNG file).
class AppIcon {
public:
    static QImage Draw(int size);
    static QIcon Icon();
};
