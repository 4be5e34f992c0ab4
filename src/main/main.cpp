// talmir: the desktop program. Starts the editor window with the document named
// on the command line.
//
// `talmir --measure-open FILE` opens FILE in the editor, saves it back to
// FILE.saved (and its snapshot to BAK.DAT, as the save command does), prints the
// time of each step and the peak memory, and exits.

#include "core/Failure.h"
#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/AppIcon.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/PlatformFolders.h"
#include "gui/base/QSettingsStore.h"
#include "gui/base/QtTranslations.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include "core/app/HugePages.h"

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

// Times the open and the save of `path` step by step, the way the load and the
// CR LF save commands do them.
int measureOpen(talmir::EditFrm& frm, const QString& path) {
    frm.show();
    QApplication::processEvents();
    QElapsedTimer total;
    QElapsedTimer step;
    total.start();
    step.start();
    auto lap = [&step](const char* what) {
        std::printf("  %-28s %6lld ms\n", what, static_cast<long long>(step.restart()));
    };
    try {
        std::printf("open %s\n", qPrintable(path));
        std::string utf8;
        {
            const std::string bytes = talmir::readFileBytesOrThrow(path);
            lap("read");
            utf8 = talmir::text::shiftJisToUtf8(bytes);
            lap("decode Shift-JIS");
        }
        frm.pane().setUtf8Text(utf8);
        utf8 = std::string();
        lap("hand to the pane");
        frm.LoadFilSub(path);
        frm.repaint();
        QApplication::processEvents();
        lap("show");
        std::printf("open total %lld ms, peak memory %.0f MB\n",
                    static_cast<long long>(total.restart()), peakMemoryMb());

        const std::string bytes = frm.pane().shiftJis();
        lap("encode Shift-JIS");
        talmir::writeSnapshotFileOrThrow(frm.workFile(talmir::editor::kBakDat), bytes);
        lap("snapshot to BAK.DAT");
        const std::string out = talmir::text::saveWithLineEnd(bytes, talmir::text::LineEnd::CrLf);
        lap("save rule");
        talmir::writeFileBytesOrThrow(path + QStringLiteral(".saved"), out);
        lap("write");
        std::printf("save total %lld ms, peak memory %.0f MB\n",
                    static_cast<long long>(total.elapsed()), peakMemoryMb());
        return 0;
    } catch (const talmir::Failure& failure) {
        std::fprintf(stderr, "%d %s\n", failure.number, failure.description.c_str());
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    talmir::restartWithHugePages(argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Talmir"));
    QApplication::setApplicationName(QStringLiteral("Talmir"));
    QApplication::setWindowIcon(talmir::appIcon());
    talmir::installQtJapanese(app);
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
