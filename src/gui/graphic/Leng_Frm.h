#pragma once
// The perimeter window "周長": its tool bar starts the single ("tansen") or
// continuous ("lenzoku") picking of path elements on the plot, or ends it
// ("off"); its picture shows the total length of the highlighted elements.
// Closing it ends the picking.

#include "gui/graphic/GraphTools.h"

#include <QWidget>

class QLabel;

namespace talmir {

class Leng_Frm : public QWidget {
    Q_OBJECT
public:
    Leng_Frm(const GraphTools& tools, QWidget* parent);

    void Toolbar_ButtonClick(const QString& key);
    // "選択周長 : " and the total, from the plot's running total.
    void showTotal();
    QLabel& picture() { return *m_picture; }
    void Form_Unload();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    GraphTools m_tools;
    QLabel* m_picture = nullptr;
};

}  // namespace talmir
