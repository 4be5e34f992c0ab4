#pragma once
// What the window tests of the Gerber and the router import share. Each opens an
// options dialog with the unit frame Option1 (the third unit checked) and the
// ABS / INC frame Option2 (ABS checked), an execute button and "ｷｬﾝｾﾙ"
// (command2), then fills the G-code window from the editor's text; the editor
// keeps its text whatever happens.

#include "EditorSession.h"
#include "ModalDialog.h"

#include <QByteArray>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <functional>

namespace talmir {
class TextPane;
}

namespace talmir::testing {

QByteArray paneBytes(TextPane& pane);
void setPane(TextPane& pane, const QByteArray& bytes);

struct UnitModeImport {
    void (*command)(EditFrm&) = nullptr;
    // Queues the answer for the dialog: clicks the unit and ABS or INC, then the
    // execute button (`ok`) or "ｷｬﾝｾﾙ"; the dialog's caption goes to `title`.
    std::function<void(int unit, bool incremental, bool ok, QString* title)> answer;
    // Queues a check that the dialog starts from the defaults, then its close box.
    std::function<void()> expectDefaultsThenClose;
};

template <typename Dialog>
UnitModeImport unitModeImport(void (*command)(EditFrm&), QPushButton& (Dialog::*execute)()) {
    UnitModeImport import;
    import.command = command;
    import.answer = [execute](int unit, bool incremental, bool ok, QString* title) {
        whenModalIs<Dialog>([=](Dialog& dialog) {
            if (title) {
                *title = dialog.windowTitle();
}
dialog.Option1(unit).click();
dialog.Option2(incremental ? 1 : 0).click();
(ok ? (dialog.*execute)() : dialog.command2()).click();
}  // namespace talmir::testing
);
}
;
    import.expectDefaultsThenClose = [] {
        whenModalIs<Dialog>([](Dialog& dialog) {
            QVERIFY(dialog.Option1(2).isChecked());
    QVERIFY(dialog.Option2(0).isChecked());
    dialog.reject();  // the window's close box
    });
    }
    ;
    return import;
    }

    // The dialog as it opens: its caption, the unit captions with the third one
    // checked, ABS checked, the button texts and the frame titles.
    template <typename Dialog>
    void checkUnitModeControls(Dialog& dialog, QPushButton& execute, const QString& caption,
                               const QStringList& units,
                               const QStringList& frameTitles = {"入力単位(1.23mm)", "座標形式"}) {
        QCOMPARE(dialog.windowTitle(), caption);
        for (int i = 0; i < units.size(); ++i) {
            QCOMPARE(dialog.Option1(i).text(), units[i]);
            QCOMPARE(dialog.Option1(i).isChecked(), i == 2);
        }
        QCOMPARE(dialog.Option2(0).text(), QStringLiteral("ABS"));
        QCOMPARE(dialog.Option2(1).text(), QStringLiteral("INC"));
        QVERIFY(dialog.Option2(0).isChecked());
        QCOMPARE(execute.text(), QStringLiteral("実行"));
        QCOMPARE(dialog.command2().text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QStringList frames;
        for (auto* frame : dialog.template findChildren<QGroupBox*>()) {
            frames << frame->title();
        }
        QCOMPARE(frames, frameTitles);
        // TALMIR_HOLD_MS keeps the dialog up for a look (or a screenshot) on a display.
        if (const int holdMs = qEnvironmentVariableIntValue("TALMIR_HOLD_MS"); holdMs > 0) {
            dialog.show();
            QTest::qWait(holdMs);
        }
    }

    // The checks below each take a new session whose editor holds the import's input.

    // `open` runs the import, answered with `unit` and the mode: the dialog is
    // captioned `dialogCaption`, and the G-code window shows as text `expected`
    // under `windowCaption`; nothing else changes or is reported.
    void expectGcodeWindowFilled(const UnitModeImport& import, EditorSession& s,
                                 const std::function<void()>& open, int unit, bool incremental,
                                 const QString& dialogCaption, const QString& windowCaption,
                                 const QByteArray& expected);
    // A G-code window showing its tree turns to text, ending in `ending`.
    void expectTreeViewTurnsToText(const UnitModeImport& import, EditorSession& s,
                                   const QByteArray& ending);
    // "ｷｬﾝｾﾙ" changes nothing, and the next opening starts from the defaults again.
    void expectCancelChangesNothing(const UnitModeImport& import, EditorSession& s);
    // An editor holding `bad` gets `message` reported once as a warning titled with the
    // product's name ("Orvanta"); both texts stay.
    void expectFailureReportedOnce(const UnitModeImport& import, EditorSession& s,
                                   const QByteArray& bad, const QString& message);

    }  // namespace talmir::testing
