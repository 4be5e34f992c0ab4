#include "gui/windows/frmAbout.h"

#include "gui/base/AppIcon.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace talmir {

namespace {

constexpr int kMajor = 0;
constexpr int kMinor = 1;
constexpr int kRevision = 0;

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString frmAbout::versionText(int major, int minor, int revision) {
    return QStringLiteral("VER ") + twoDigits(major) + QLatin1Char('.') + twoDigits(minor) +
           QLatin1Char('.') + twoDigits(revision);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Talmirのﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(appIcon().pixmap(48, 48));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    auto* title = new QLabel(QStringLiteral("Orvanta_2"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title, 0, 1);
    auto* version = new QLabel(versionText(kMajor, kMinor, kRevision), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version, 1, 1);
    auto* file = new QLabel(QStringLiteral("TALMIR.EXE"), this);
    file->setObjectName(QStringLiteral("lblProgram"));
    layout->addWidget(file, 2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

}  // namespace talmir
