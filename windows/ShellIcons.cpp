// The program's icons.
#include "windows/ShellIcons.h"

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quira1-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon ShellIcon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}
