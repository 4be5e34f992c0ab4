// Saving the plot of the graphic frame as a bitmap or JPEG image.
#include "EditorSession.h"
#include "GraphSession.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/GFrm.h"

#include <QImage>
#include <QImageReader>
#include <QtTest>

using namespace talmir;

namespace {

const QByteArray kProgram = "(CUT)\r\nG00X0Y0\r\nG01X10Y0\r\nG01X10Y10\r\nM30\r\n";

}  // namespace

class GraphImageTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        MDIMarlit* frame = nullptr;

        Session() { frame = &talmir::testing::openGraph(*frm, kProgram); }
    };

private slots:
    void savesABitmapUnderTheNameCutAtItsFirstDot() {
        Session s;
        QVERIFY(s.frame != nullptr);
        s.dialogs.files.push_back(s.scratch.path(QStringLiteral("plan.old.png")));
        s.frame->MnuBmpSave_Click();
        QCOMPARE(s.dialogs.fileRequests.back().title,
                 QStringLiteral("グラフィックをビットマップ形式で保存"));
        QCOMPARE(s.dialogs.fileRequests.back().filter,
                 QStringLiteral("ビットマップ (*.bmp)|*.bmp|全てのファイル (*.*)|*.*"));
        const QString path = s.scratch.path(QStringLiteral("plan.bmp"));
        QCOMPARE(QImageReader(path).format(), QByteArray("bmp"));
        const QImage saved(path);
        QCOMPARE(saved.size(), s.frame->graph().size());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 s.frame->graph().image().convertToFormat(QImage::Format_RGB32));
        QVERIFY(!QFile::exists(s.scratch.path(QStringLiteral("plan.old.png"))));
    }

    void savesAJpegAndReportsAFileThatCannotBeOpened() {
        Session s;
        s.dialogs.files.push_back(s.scratch.path(QStringLiteral("plot")));
        s.frame->MnuSaveJpg_Click();
        QCOMPARE(QImageReader(s.scratch.path(QStringLiteral("plot.jpg"))).format(),
                 QByteArray("jpeg"));
        QVERIFY(s.dialogs.messages.empty());

        s.dialogs.files.push_back(s.scratch.path(QStringLiteral("no-such-folder/plot.jpg")));
        s.frame->MnuSaveJpg_Click();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("ファイルがオープン出来ませんでした")});
    }

    void cancellingSavesNothing() {
        Session s;
        s.dialogs.files.push_back(std::nullopt);
        s.frame->MnuBmpSave_Click();
        s.dialogs.files.push_back(QString());
        s.frame->MnuSaveJpg_Click();
        QCOMPARE(QDir(s.scratch.path(QString())).entryList(QDir::Files), QStringList());
        QVERIFY(s.dialogs.messages.empty());
    }
};

QTEST_MAIN(GraphImageTest)
#include "GraphImageTest.moc"
