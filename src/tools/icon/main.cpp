// appicon: draws the program's icon to a PNG file, for the package.
// Usage: appicon FILE.png SIZE

#include "windows/AppIcon.h"

#include <QTextStream>

int main(int argc, char* argv[]) {
    const int size = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    if (size < 16 || size > 1024) {
        QTextStream(stderr) << "usage: appicon FILE.png SIZE (16 to 1024)\n";
        return 2;
    }
    if (!AppIcon::Draw(size).save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "appicon: could not write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
