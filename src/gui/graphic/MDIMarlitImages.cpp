// "ビットマップ形式で保存..." and "JPG形式で保存..." of the graphic frame.
#include "core/graphic/ImageFileName.h"
#include "gui/base/Dialogs.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"

#include <QFile>
#include <QImageWriter>

namespace talmir {

namespace {

// What the JPEG writer reports: 0 written, 1 the file cannot be opened, 2 it
// cannot be written, 3 the image cannot be encoded.
int writeJpeg(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    QImageWriter writer(&file, "jpg");
    writer.setQuality(100);
    if (writer.write(image) && file.flush()) {
        return 0;
    }
    return writer.error() == QImageWriter::DeviceError || file.error() != QFileDevice::NoError ? 2
                                                                                               : 3;
}

QString jpegMessage(int code) {
    switch (code) {
        case 1:
            return QStringLiteral("ファイルがオープン出来ませんでした");
        case 2:
            return QStringLiteral("ファイルへ書き込みが出来ませんでした");
        case 3:
            return QStringLiteral("ファイルのフォーマットエラーが発生しました");
        case 4:
            return QStringLiteral("スタックオーバーフローが発生しました");
        default:
            return {};
    }
}

std::optional<QString> chooseImageFile(MDIMarlit& frame, Dialogs& dialogs, const QString& title,
                                       const QString& filter, std::string_view extension) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    const auto chosen = dialogs.saveFile(&frame, request);
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    return QString::fromStdString(graphic::imageFileName(chosen->toStdString(), extension));
}

}  // namespace

void MDIMarlit::MnuBmpSave_Click() {
    const auto path = chooseImageFile(
        *this, m_owner.dialogs(), QStringLiteral("グラフィックをビットマップ形式で保存"),
        QStringLiteral("ビットマップ (*.bmp)|*.bmp|全てのファイル (*.*)|*.*"), "bmp");
    if (!path) {
        return;
    }
    // A clean picture: the marks of the clicks are not saved.
    m_graph->GrSub();
    m_graph->image().save(*path, "BMP");
}

void MDIMarlit::MnuSaveJpg_Click() {
    const auto path =
        chooseImageFile(*this, m_owner.dialogs(), QStringLiteral("グラフィックをJPG形式で保存"),
                        QStringLiteral("JPG (*.jpg)|*.jpg|全てのファイル (*.*)|*.*"), "jpg");
    if (!path) {
        return;
    }
    // The surface as it shows now, marks included.
    const int code = writeJpeg(m_graph->image(), *path);
    if (code != 0) {
        m_owner.dialogs().message(this, jpegMessage(code), QString(), MessageIcon::None);
    }
}

}  // namespace talmir
