#pragma once
// Icons of the program, drawn at run time: the program icon and the lettered
// buttons of the tool strip.

#include <QIcon>
#include <QString>

namespace talmir {

QIcon appIcon();
// A small button face with `label` ("NC", "DXF") on it.
QIcon toolIcon(const QString& label);

}  // namespace talmir
