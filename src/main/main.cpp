// talmir: the desktop program. Starts the editor window with the document named
// on the command line.
//
// `talmir --measure-open FILE` opens FILE in the editor, saves it back to
// FILE.saved, prints the times and the peak memory, and exits.

#include "Failure.h"
#include "app/Dialogs.h"
#include "app/EditFrm.h"
#include "app/PlatformFolders.h"
#include "app/QSettingsStore.h"
#include "editor/TextPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

#include <cstdio>

namespace {

// The Japanese faces the program's captions and documents need.
void ensureJapaneseFonts() {
    const QStringList files{
        QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"),
        QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"),
        QStringLiteral("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"),
    };
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        return;
    }
    for (const QString& file : files) {
        if (QFile::exists(file)) {
            QFontDatabase::addApplicationFont(file);
        }
    }
}

// Peak resident memory of this process in MB (Linux), or -1.
double peakMemoryMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return -1;
}

int measureOpen(talmir::EditFrm& frm, const QString& path) {
    frm.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    try {
        frm.loadDocumentFile(path);
        frm.LoadFilSub(path);
        frm.repaint();
        QApplication::processEvents();
        const qint64 openMs = timer.elapsed();
        const double openPeakMb = peakMemoryMb();
        timer.restart();
        frm.saveDocumentFile(path + QStringLiteral(".saved"), talmir::text::LineEnd::CrLf);
        const qint64 saveMs = timer.elapsed();
        std::printf("open+show %lld ms, peak memory %.0f MB\nsave %lld ms, peak memory %.0f MB\n",
                    static_cast<long long>(openMs), openPeakMb, static_cast<long long>(saveMs),
                    peakMemoryMb());
        return 0;
    } catch (const talmir::Failure& failure) {
        std::fprintf(stderr, "%d %s\n", failure.number, failure.description.c_str());
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Talmir"));
    QApplication::setApplicationName(QStringLiteral("Talmir"));
    ensureJapaneseFonts();

    QStringList args = QApplication::arguments();
    args.removeFirst();
    const bool measure = args.size() == 2 && args.front() == QLatin1String("--measure-open");

    talmir::QSettingsStore settings;
    talmir::QtDialogs dialogs;
    talmir::EditFrm frm(settings, dialogs, talmir::detectFolders());
    if (measure) {
        frm.Form_Load(QString());
        return measureOpen(frm, args.back());
    }
    // The whole command tail is one path, as it was given.
    frm.Form_Load(args.join(QLatin1Char(' ')));
    frm.show();
    const int rc = QApplication::exec();
    settings.sync();
    return rc;
}
