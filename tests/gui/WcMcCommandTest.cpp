// "ワイヤーをミーリングへ" of the editor: the wire program replaced by the milling
// program in the editor itself, and the editor's text kept when that cannot be.
#include "EditorSession.h"
#include "gui/base/TextPane.h"
#include "gui/import/EditFrmWcMc.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QtTest>

using namespace talmir;
using talmir::testing::writeBytes;

namespace {

QByteArray bytesOf(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

// The milling program from its start-hole subprogram on.
QByteArray subprograms(const QByteArray& program) {
    const QByteArray start("O1\r\n(DRL-XY)\r\n");
    const auto at = program.indexOf(start);
    return at < 0 ? QByteArray("<no O1>") : program.mid(at + start.size());
}

}  // namespace

class WcMcCommandTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        bool workFilesGone() const {
            return !QFile::exists(scratch.appFile(QStringLiteral("BAK.DAT"))) &&
                   !QFile::exists(scratch.appFile(QStringLiteral("BAK1.DAT")));
        }
    };

private slots:
    void replacesTheEditorText_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("square")
            << QByteArray("G92X0Y0\r\nM60\r\nG42G01X10.Y0\r\nG01X10.Y10.\r\nG40G01X0Y0\r\nM50")
            << QByteArray(
                   "X0Y0\r\nM99\r\nO2\r\n(ENDMILE-XY)\r\nG00Z3.\r\nG01Z-#26F50.\r\n"
                   "G42G01X10.Y0H100F#9\r\nG01X10.Y10.\r\nG40G01X0Y0\r\nG00Z50.\r\nM99\r\n");
        // The editor's own line feeds, a comment in double-byte text kept on its
        // motion line, a comment line left out.
        QTest::newRow("double-byte comment")
            << QByteArray("(\x83\x5f\x83\x43)\nG01X1.Y2.(\x8a\xbf\x8e\x9a)\n")
            << QByteArray("M99\r\nO2\r\n(ENDMILE-XY)\r\nG01X1.Y2.(\x8a\xbf\x8e\x9a)\r\nM99\r\n");
        QTest::newRow("empty editor")
            << QByteArray() << QByteArray("M99\r\nO2\r\n(ENDMILE-XY)\r\nM99\r\n");
    }

    void replacesTheEditorText() {
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, tail);
        Session s;
        EditFrm& frm = *s.frm;
        QAction* act = frm.action("MnuWcMc_Click");
        QVERIFY(act != nullptr);
        QVERIFY(act->isEnabled());
        QCOMPARE(act->text(), QStringLiteral("ワイヤーをミーリングへ"));
        setPane(frm.pane(), wire);
        frm.setDocumentName(QStringLiteral("die.nc"));
        writeBytes(s.scratch.appFile(QStringLiteral("BAK.DAT")), "old");
        writeBytes(s.scratch.appFile(QStringLiteral("BAK1.DAT")), "old");
        act->trigger();

        QVERIFY(s.dialogs.messages.empty());
        const QByteArray program = bytesOf(frm.pane());
        QVERIFY(program.startsWith("#1=5.(KAKOU-FUKASA)\r\n#2=1.(STEP-FUKASA)\r\n"));
        QCOMPARE(subprograms(program), tail);
        QCOMPARE(frm.documentName(), QStringLiteral("die.nc"));
        // Undo cannot bring back half of either text.
        QVERIFY(!frm.pane().isUndoAvailable());
        QVERIFY(s.workFilesGone());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void textThePaneRefusesKeepsTheEditor() {
        Session s;
        EditFrm& frm = *s.frm;
        // A cutter-compensation line as long as the pane takes: written back with
        // G01 and H100F#9 added it is longer than that.
        const testing::LoweredLineLimit limit(64 * 1024);
        const std::size_t digits = TextPane::maxLineBytes() - 5;
        QByteArray wire = "G41X" + QByteArray(static_cast<qsizetype>(digits), '1') + "Y";
        setPane(frm.pane(), wire);
        MnuWcMc_Click(frm);

        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(bytesOf(frm.pane()), wire);
        QVERIFY(s.workFilesGone());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(WcMcCommandTest)
#include "WcMcCommandTest.moc"
