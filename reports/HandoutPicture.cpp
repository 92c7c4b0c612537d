#include "reports/HandoutPicture.h"


#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace tavo {

namespace {

// The handout shows the radio 220 by 440 pixels; the pictures are drawn
// at half that and upwards.
constexpr int kPictureWidth = 220;
constexpr int kPictureHeight = 440;
constexpr int kMarkRadius = 10;

} // namespace

const std::vector<HandoutMark> &HandoutMarks(bool displayModel)
{
    // 1 knob, 2 LED, 3 PTT, 4 and 5 the side buttons, 6 to 8 up, down and
    // menu under the display, 9 microphone, 10 accessory jack.
    static const std::vector<HandoutMark> display{
        {1, 0.34, 0.21}, {2, 0.62, 0.20}, {3, 0.09, 0.40}, {4, 0.09, 0.52}, {5, 0.09, 0.60},
        {6, 0.30, 0.45}, {7, 0.70, 0.45}, {8, 0.50, 0.45}, {9, 0.50, 0.74}, {10, 0.83, 0.32}};
    // 1 knob, 2 channel selector, 3 LED, 4 PTT, 5 and 6 the side buttons,
    // 7 the top button, 8 microphone, 9 accessory jack, 10 belt clip,
    // 11 battery.
    static const std::vector<HandoutMark> rotary{
        {1, 0.39, 0.12}, {2, 0.72, 0.12}, {3, 0.60, 0.22}, {4, 0.09, 0.42}, {5, 0.09, 0.52},
        {6, 0.09, 0.60}, {7, 0.26, 0.22}, {8, 0.50, 0.55}, {9, 0.83, 0.32}, {10, 0.88, 0.62}, {11, 0.50, 0.90}};
    return displayModel ? display : rotary;
}

QString HandoutPictureAddress(const QString &file, const std::vector<HandoutMark> &marks)
{
    QImage picture;
    if (file.isEmpty() || !picture.load(file))
        return QString();
    QImage canvas = picture.convertToFormat(QImage::Format_RGB32)
                        .scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        for (const HandoutMark &m : marks) {
            const QPointF centre(m.x * kPictureWidth, m.y * kPictureHeight);
            const QRectF circle(centre.x() - kMarkRadius, centre.y() - kMarkRadius, 2 * kMarkRadius, 2 * kMarkRadius);
            painter.setPen(QPen(Qt::white, 1.5));
            painter.setBrush(QColor(0x1f, 0x4e, 0x79));
            painter.drawEllipse(circle);
            painter.drawText(circle, Qt::AlignCenter, QString::number(m.number));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!canvas.save(&buffer, "PNG"))
        return QString();
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QVariant DataAddressImage(const QUrl &name)
{
    if (name.scheme() != QLatin1String("data"))
        return QVariant();
    const QString text = name.toString();
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0 || !text.left(comma).endsWith(QLatin1String(";base64")))
        return QVariant();
    QImage image;
    if (!image.loadFromData(QByteArray::fromBase64(text.mid(comma + 1).toLatin1())))
        return QVariant();
    return image;
}

} // namespace tavo
