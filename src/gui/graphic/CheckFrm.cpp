#include "gui/graphic/CheckFrm.h"

#include "core/text/NumberPicture.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talmir {

namespace {

constexpr std::string_view kSection = "CheckFrm";
constexpr const char* kPointPicture = "####0.0000#";
constexpr const char* kLongPicture = "####0.0000###";
constexpr const char* kAnglePicture = "###0.000#####";

QString shown(double value, const char* picture) {
    return QString::fromStdString(text::formatPicture(value, picture));
}

}  // namespace

CheckFrm::CheckFrm(const GraphTools& tools, QWidget* parent)
    : QDockWidget(QStringLiteral("座標"), parent), m_tools(tools) {
    setObjectName(QStringLiteral("CheckFrm"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto group = [&](const QString& title,
                     std::initializer_list<std::pair<const char*, const char*>> rows) {
        auto* box = new QGroupBox(title, body);
        auto* form = new QFormLayout(box);
        for (const auto& [name, caption] : rows) {
            auto* label = new QLabel(QStringLiteral("0.0000"), box);
            label->setObjectName(QLatin1String(name));
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            form->addRow(QString::fromUtf8(caption), label);
            m_values[name] = label;
        }
        layout->addWidget(box);
        return form;
    };
    group(QStringLiteral("ﾎﾟｲﾝﾄ(1)"), {{"P1X", "X"}, {"P1Y", "Y"}});
    group(QStringLiteral("ﾎﾟｲﾝﾄ(2)"), {{"P2X", "X"}, {"P2Y", "Y"}});
    group(QStringLiteral("1-2ﾎﾟｲﾝﾄ間情報"), {{"DX", "dX"},
                                             {"DY", "dY"},
                                             {"MidX", "中点X"},
                                             {"MidY", "中点Y"},
                                             {"Length", "距離"},
                                             {"Angle", "角度"}});
    QFormLayout* counters = group(QStringLiteral("ｶｳﾝﾀｰ"), {{"CountX", "X"}, {"CountY", "Y"}});
    for (int index = 0; index < 2; ++index) {
        auto* reset = new QPushButton(
            index == 0 ? QStringLiteral("X リセット") : QStringLiteral("Y リセット"), body);
        reset->setObjectName(QStringLiteral("Command1_%1").arg(index));
        counters->addRow(reset);
        connect(reset, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    }
    layout->addStretch(1);
    setWidget(body);
    const app::SettingsStore& store = tools.settings;
    move(storedPixels(store, kSection, "Left", 0), storedPixels(store, kSection, "Top", 3000));
    resize(storedPixels(store, kSection, "Width", 3000),
           storedPixels(store, kSection, "Height", 3000));
}

void CheckFrm::Form_Unload() {
    storeBounds(m_tools.settings, kSection, "", *this);
}

void CheckFrm::showPoint(float x, float y, const graphic::SegmentMeasure& segment) {
    value("P1X").setText(value("P2X").text());
    value("P1Y").setText(value("P2Y").text());
    m_x = x;
    m_y = y;
    value("P2X").setText(shown(x, kPointPicture));
    value("P2Y").setText(shown(y, kPointPicture));
    value("DX").setText(shown(segment.dx, kPointPicture));
    value("DY").setText(shown(segment.dy, kPointPicture));
    value("MidX").setText(shown(segment.midX, kLongPicture));
    value("MidY").setText(shown(segment.midY, kLongPicture));
    value("Length").setText(shown(segment.length, kLongPicture));
    value("Angle").setText(shown(segment.angleDeg, kAnglePicture));
    value("CountX").setText(shown(static_cast<double>(x) - m_baseX, kPointPicture));
    value("CountY").setText(shown(static_cast<double>(y) - m_baseY, kPointPicture));
}

void CheckFrm::Command1_Click(int index) {
    if (index == 0) {
        value("CountX").setText(QStringLiteral("0.0000"));
        m_baseX = m_x;
    } else {
        value("CountY").setText(QStringLiteral("0.0000"));
        m_baseY = m_y;
    }
}

}  // namespace talmir
