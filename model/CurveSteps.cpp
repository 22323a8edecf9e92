#include "model/CurveSteps.h"

namespace curvesteps {

std::optional<Target> curveTarget(QImage &image, int startRow, const int *columns, const int *rows, int count,
                                  QRgb color)
{
    constexpr int LargestSide = 32767;
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    if (count < 1 || image.isNull() || image.width() > LargestSide || image.height() > LargestSide
        || qsizetype(image.height()) * stride >= (qsizetype(1) << 31))
        return std::nullopt;
    if (columns[count - 1] == 0 && rows[count - 1] == startRow)
        return std::nullopt;
    return Target{reinterpret_cast<QRgb *>(image.bits()), stride, image.width(), image.height(), color};
}

} // namespace curvesteps
