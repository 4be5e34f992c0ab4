#pragma once
// The coordinate check "座標", docked beside the plot while the frame's check
// toggle is on: the last two snapped points, the distance, midpoint and angle
// between them, and two counters that read a point against a base of their own.

#include "core/graphic/PlotView.h"
#include "gui/graphic/GraphTools.h"

#include <QDockWidget>

#include <map>
#include <string>

class QLabel;

namespace talmir {

class CheckFrm : public QDockWidget {
    Q_OBJECT
public:
    CheckFrm(const GraphTools& tools, QWidget* parent);

    void Form_Unload();
    // A snapped point: point (1) takes point (2), point (2) the new point.
    void showPoint(float x, float y, const graphic::SegmentMeasure& segment);
    // Reset button 0 (X) or 1 (Y): the counter reads 0 from point (2) on.
    void Command1_Click(int index);

    // A read-out by name: "P1X", "P1Y", "P2X", "P2Y", "DX", "DY", "MidX", "MidY",
    // "Length", "Angle", "CountX", "CountY".
    QLabel& value(const std::string& name) const { return *m_values.at(name); }

private:
    GraphTools m_tools;
    std::map<std::string, QLabel*> m_values;
    float m_x = 0;  // point (2)
    float m_y = 0;
    float m_baseX = 0;
    float m_baseY = 0;
};

}  // namespace talmir
