#include "gui/base/EditorFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace talmir {

namespace {

QString firstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return {};
}

bool isGothic(const QString& face) {
    return face.contains(QStringLiteral("ゴシック")) ||
           face.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) ||
           face.contains(QStringLiteral("ｺﾞｼｯｸ"));
}

}  // namespace

QString displayFamily(const QString& stored) {
    if (!stored.isEmpty() && QFontDatabase::families().contains(stored, Qt::CaseInsensitive)) {
        return stored;
    }
    const QStringList mincho{QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"),
                             QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")};
    const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                             QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    QString family = firstInstalled(isGothic(stored) ? gothic : mincho);
    if (family.isEmpty()) {
        family = firstInstalled(isGothic(stored) ? mincho : gothic);
    }
    return family.isEmpty() ? stored : family;
}

QFont editorFont(const app::FontSettings& settings) {
    QFont font(displayFamily(QString::fromStdString(settings.name)));
    font.setPointSizeF(settings.sizePt);
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    return font;
}

}  // namespace talmir
