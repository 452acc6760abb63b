// The program's icons, compiled in from resources/: the program icon and the toolbar's SVG icons.
#pragma once

#include <QIcon>
#include <QString>

// The program icon from its PNG sizes (16 to 256 pixels), so it shows even without Qt's SVG
// plugin.
QIcon ProgramIcon();

// A toolbar icon by name ("file-new", "print", ...), from :/icons/<name>.svg.
QIcon ShellIcon(const QString& name);
