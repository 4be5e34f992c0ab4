#pragma once
// The editor font as the pane shows it. Stored faces from the Windows world
// ("ＭＳ 明朝", "ＭＳ ゴシック") are not installed here; the pane then uses an installed
// Japanese face of the same kind, while the stored name stays as it was.

#include "core/app/FontSettings.h"

#include <QFont>

namespace talmir {

// The family the pane uses for the stored face `stored`.
QString displayFamily(const QString& stored);

QFont editorFont(const app::FontSettings& settings);

}  // namespace talmir
