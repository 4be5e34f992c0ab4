#include "UnitModeImport.h"

#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/GFrm.h"

#include <QFile>

namespace talmir::testing {

QByteArray paneBytes(TextPane& pane) {
    const std::string bytes = pane.shiftJis();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void setPane(TextPane& pane, const QByteArray& bytes) {
    pane.setShiftJis(std::string_view(bytes.constData(), bytes.size()));
}

void expectGcodeWindowFilled(const UnitModeImport& import, EditorSession& s,
                             const std::function<void()>& open, int unit, bool incremental,
                             const QString& dialogCaption, const QString& windowCaption,
                             const QByteArray& expected) {
    const QByteArray input = paneBytes(s.frm->pane());
    QString title;
    import.answer(unit, incremental, true, &title);
    open();
    QCOMPARE(title, dialogCaption);
    GFrm* g = GFrm::find(*s.frm);
    QVERIFY(g != nullptr);
    QVERIFY(g->isVisible());
    QVERIFY(!g->isTreeView());
    QCOMPARE(g->windowTitle(), windowCaption);
    QCOMPARE(paneBytes(g->pane()), expected);
    QCOMPARE(paneBytes(s.frm->pane()), input);
    QVERIFY(s.dialogs.messages.empty());
    QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK.DAT"))));
    QVERIFY(!QFile::exists(s.scratch.appFile(QStringLiteral("BAK1.DAT"))));
}

void expectTreeViewTurnsToText(const UnitModeImport& import, EditorSession& s,
                               const QByteArray& ending) {
    GFrm& g = GFrm::of(*s.frm);
    QVERIFY(g.TextOrTree(1));
    import.answer(2, false, true, nullptr);
    import.command(*s.frm);
    QVERIFY(!g.isTreeView());
    QVERIFY(paneBytes(g.pane()).endsWith(ending));
}

void expectCancelChangesNothing(const UnitModeImport& import, EditorSession& s) {
    const QByteArray input = paneBytes(s.frm->pane());
    GFrm& g = GFrm::of(*s.frm);
    setPane(g.pane(), "(kept)\r\nG01X1.Y1.");
    g.setWindowTitle(QStringLiteral("before"));
    import.answer(0, true, false, nullptr);
    import.command(*s.frm);
    QCOMPARE(paneBytes(g.pane()), QByteArray("(kept)\r\nG01X1.Y1."));
    QCOMPARE(g.windowTitle(), QStringLiteral("before"));
    QVERIFY(!g.isVisible());
    QCOMPARE(paneBytes(s.frm->pane()), input);
    QVERIFY(s.dialogs.messages.empty());

    import.expectDefaultsThenClose();
    import.command(*s.frm);
    QCOMPARE(paneBytes(g.pane()), QByteArray("(kept)\r\nG01X1.Y1."));
}

void expectFailureReportedOnce(const UnitModeImport& import, EditorSession& s,
                               const QByteArray& bad, const QString& message) {
    setPane(s.frm->pane(), bad);
    GFrm& g = GFrm::of(*s.frm);
    setPane(g.pane(), "(kept)");
    import.answer(2, false, true, nullptr);
    import.command(*s.frm);
    QCOMPARE(s.dialogs.messages.size(), std::size_t{1});
    QCOMPARE(s.dialogs.messages.front().text, message);
    QCOMPARE(s.dialogs.messages.front().icon, MessageIcon::Warning);
    QCOMPARE(s.dialogs.messages.front().title, QStringLiteral("Orvanta"));
    QCOMPARE(paneBytes(g.pane()), QByteArray("(kept)"));
    QVERIFY(!g.isVisible());
    QCOMPARE(paneBytes(s.frm->pane()), bad);
}

}  // namespace talmir::testing
