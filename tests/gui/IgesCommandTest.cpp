// "IGESをGコードへ" of the editor: the G-code window filled and split into its tree,
// the work files left behind, and a file that cannot be converted.
#include "EditorSession.h"
#include "gui/base/TextPane.h"
#include "gui/import/EditFrmIgesNc.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QAction>
#include <QDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <string>

using namespace talmir;
using talmir::testing::readBytes;
using talmir::testing::writeBytes;

namespace {

QByteArray record(QByteArray data, char section, int sequence) {
    data = data.leftJustified(72, ' ', true);
    return data + section + QByteArray::number(sequence).rightJustified(7, ' ') + "\r\n";
}

// A directory entry of `type` on `level` at `sequence`, and its one parameter line.
QByteArray directory(int type, int level, int sequence, int parameterLine) {
    const QByteArray t = QByteArray::number(type).rightJustified(8, ' ');
    return record(t + QByteArray::number(parameterLine).rightJustified(8, ' ') +
                      QByteArray(16, ' ') + QByteArray::number(level).rightJustified(8, ' '),
                  'D', sequence) +
           record(t, 'D', sequence + 1);
}

QByteArray parameter(const QByteArray& data, int pointer, int sequence) {
    return record(data.leftJustified(64, ' ') + QByteArray::number(pointer).rightJustified(8, ' '),
                  'P', sequence);
}

// A line and an arc on level 1, a point on level 2, and a line on level 1 again.
const QByteArray kIges =
    record("", 'S', 1) + record("1H,,1H;;", 'G', 1) + directory(110, 1, 1, 1) +
    directory(116, 2, 3, 2) + directory(100, 1, 5, 3) + directory(110, 1, 7, 4) +
    parameter("110,0.,0.,0.,10.,0.,0.;", 1, 1) + parameter("116,5.,5.,0.,0;", 3, 2) +
    parameter("100,0.,0.,0.,10.,0.,0.,10.;", 5, 3) + parameter("110,1.,1.,0.,2.,2.,0.;", 7, 4) +
    record("S      1G      1D      8P      4", 'T', 1);

const QByteArray kProgram =
    "D10\r\nG00X0.0Y0.0\r\nG01X10.0Y0.0\r\nD11\r\nG81X5.0Y5.0\r\nD10\r\nG00X10.0Y0.0\r\n"
    "G03X0.0Y10.0I-10.0J0.0\r\nD10\r\nG00X1.0Y1.0\r\nG01X2.0Y2.0\r\n";

QByteArray paneBytes(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

QStringList nodeTexts(GFrm& g) {
    QStringList texts;
    for (int n = 0; n < g.tree().topLevelItemCount(); ++n) {
        texts << g.tree().topLevelItem(n)->text(0);
    }
    return texts;
}

}  // namespace

class IgesCommandTest : public QObject {
    Q_OBJECT

private:
    struct Session : talmir::testing::EditorSession {
        QByteArray workFile(const char* name) const {
            return readBytes(scratch.appFile(QString::fromLatin1(name)));
        }
    };

private slots:
    void fillsTheGcodeWindowAsATree() {
        Session s;
        EditFrm& frm = *s.frm;
        QAction* command = frm.action("MnuIges_Click");
        QVERIFY(command != nullptr);
        QVERIFY(command->isEnabled());
        setPane(frm.pane(), kIges);
        frm.setDocumentName(QStringLiteral("bracket.rev2.igs"));
        command->trigger();

        QCOMPARE(s.dialogs.messages.size(), std::size_t{0});
        GFrm* g = GFrm::find(frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(g->isTreeView());
        QCOMPARE(g->windowTitle(), QStringLiteral("bracket"));
        // One node per level, each holding the data lines of all its entities.
        QCOMPARE(nodeTexts(*g), (QStringList{"D10", "D11"}));
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("Gcode/D10"))),
                 QByteArray("G00X0.0Y0.0\r\nG01X10.0Y0.0\r\nG00X10.0Y0.0\r\n"
                            "G03X0.0Y10.0I-10.0J0.0\r\nG00X1.0Y1.0\r\nG01X2.0Y2.0\r\n"));
        QCOMPARE(readBytes(s.scratch.appFile(QStringLiteral("Gcode/D11"))),
                 QByteArray("G81X5.0Y5.0\r\n"));
        // The editor keeps the IGES text; the work files stay behind.
        QCOMPARE(paneBytes(frm.pane()), kIges);
        QCOMPARE(s.workFile("BAK.DAT"), kProgram);
        QCOMPARE(s.workFile("BAK1.DAT"),
                 QByteArray("1\r\n110,0.,0.,0.,10.,0.,0.;\r\n2\r\n116,5.,5.,0.,0;\r\n"
                            "1\r\n100,0.,0.,0.,10.,0.,0.,10.;\r\n1\r\n110,1.,1.,0.,2.,2.,0.;\r\n"));

        // Run again while the tree is shown: the old nodes give way to the new ones.
        setPane(frm.pane(),
                record("", 'S', 1) + directory(116, 5, 1, 1) + parameter("116,1.,2.,0.;", 1, 1));
        frm.setDocumentName(QStringLiteral("holes"));
        command->trigger();
        QCOMPARE(GFrm::find(frm), g);
        QVERIFY(g->isTreeView());
        QCOMPARE(g->windowTitle(), QStringLiteral("holes"));
        QCOMPARE(nodeTexts(*g), (QStringList{"D14"}));
        QVERIFY(g->TextOrTree(0));
        QCOMPARE(paneBytes(g->pane()), QByteArray("D14\r\nG81X1.0Y2.0\r\n"));
        QCOMPARE(s.dialogs.messages.size(), std::size_t{0});
    }

    void reportsAFileItCannotConvert() {
        Session s;
        EditFrm& frm = *s.frm;
        GFrm& g = GFrm::of(frm);
        setPane(g.pane(), "(kept)\r\nG01X1.Y1.");
        g.setWindowTitle(QStringLiteral("before"));
        // The line's record stops after two numbers.
        const QByteArray cut =
            record("", 'S', 1) + directory(110, 1, 1, 1) + parameter("110,1.,2.;", 1, 1);
        setPane(frm.pane(), cut);
        frm.setDocumentName(QStringLiteral("cut.igs"));
        MnuIges_Click(frm);

        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        QVERIFY2(s.dialogs.messages.front().text.startsWith(QStringLiteral("エラー番号 : 62")),
                 qPrintable(s.dialogs.messages.front().text));
        QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
        // Neither window loses anything, and the G-code window is not brought up.
        QCOMPARE(paneBytes(frm.pane()), cut);
        QCOMPARE(frm.documentName(), QStringLiteral("cut.igs"));
        QVERIFY(!g.isVisible());
        QVERIFY(!g.isTreeView());
        QCOMPARE(paneBytes(g.pane()), QByteArray("(kept)\r\nG01X1.Y1."));
        QCOMPARE(g.windowTitle(), QStringLiteral("before"));
        QCOMPARE(s.workFile("BAK.DAT"), cut);
        QCOMPARE(s.workFile("BAK1.DAT"), QByteArray("1\r\n110,1.,2.;\r\n"));
        QVERIFY(QDir(s.scratch.appFile(QStringLiteral("Gcode"))).isEmpty());
    }

    // More levels than the tree has room for: the window says so and keeps the
    // whole program in its text view.
    void keepsTheTextWhenTheTreeCannotHoldIt() {
        Session s;
        QByteArray iges = record("", 'S', 1);
        QByteArray parameters;
        for (int n = 0; n < 300; ++n) {
            iges += directory(116, n, 2 * n + 1, n + 1);
            parameters += parameter("116,1.,1.,0.;", 2 * n + 1, n + 1);
        }
        setPane(s.frm->pane(), iges + parameters);
        MnuIges_Click(*s.frm);
        GFrm* g = GFrm::find(*s.frm);
        QVERIFY(g != nullptr);
        QVERIFY(g->isVisible());
        QVERIFY(!g->isTreeView());
        QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
        const QByteArray text = paneBytes(g->pane());
        QVERIFY(text.startsWith("D9\r\nG81X1.0Y1.0\r\nD10\r\n"));
        QVERIFY(text.endsWith("D308\r\nG81X1.0Y1.0\r\n"));
    }
};

QTEST_MAIN(IgesCommandTest)
#include "IgesCommandTest.moc"
