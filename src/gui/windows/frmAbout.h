#pragma once
// The version box: program title, version, program file name and icon.

#include <QDialog>

namespace talmir {

class frmAbout : public QDialog {  // NOLINT: the window's own name
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // "VER " + major.minor.revision, each at least two digits.
    static QString versionText(int major, int minor, int revision);
};

}  // namespace talmir
