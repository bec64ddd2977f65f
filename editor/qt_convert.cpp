#include "editor/qt_convert.h"

#include <QFile>
#include <cstring>

#include "editor/editor_model.h"
#include "editor/picture_pixels.h"

QString fromLatin(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string toLatin(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

std::string toPath(const QString& s) {
    return QFile::encodeName(s).toStdString();
}

QString fromPath(const std::string& s) {
    return QFile::decodeName(QByteArray::fromStdString(s));
}

QColor toQColor(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t fromQColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

QImage toQImage(const RgbImage& rgb) {
    QImage image(rgb.width, rgb.height, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height; ++y)
        std::memcpy(image.scanLine(y), rgb.pixels.data() + static_cast<size_t>(y) * rgb.width,
                    static_cast<size_t>(rgb.width) * 4);
    return image;
}

QImage blankPicture() {
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}
