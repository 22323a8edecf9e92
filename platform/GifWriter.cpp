#include "platform/GifWriter.h"

#include <QIODevice>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr int MaxColours = 256;
// A GIF's sides and delays are 16-bit numbers.
constexpr int MaxGifNumber = 65535;

struct MapFree {
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapFree>;

int writeToDevice(GifFileType *gif, const GifByteType *bytes, int length)
{
    return int(static_cast<QIODevice *>(gif->UserData)->write(reinterpret_cast<const char *>(bytes), length));
}

// The frame's colours, or nothing when there are more than a colour table holds.
std::optional<GifWriter::Palette> exactPalette(const QImage &rgb)
{
    GifWriter::Palette palette;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        QRgb last = ~row[0];
        for (int x = 0; x < rgb.width(); ++x) {
            if (row[x] == last)
                continue;
            last = row[x];
            if (palette.index.try_emplace(last, int(palette.colours.size())).second) {
                if (palette.colours.size() == MaxColours)
                    return std::nullopt;
                palette.colours.push_back(last);
            }
        }
    }
    return palette;
}

GifWriter::Palette paletteOf(const QList<QRgb> &table)
{
    GifWriter::Palette palette;
    for (const QRgb c : table) {
        palette.index.try_emplace(c, int(palette.colours.size()));
        palette.colours.push_back(c);
    }
    return palette;
}

bool holds(const GifWriter::Palette &outer, const GifWriter::Palette &inner)
{
    return std::all_of(inner.colours.cbegin(), inner.colours.cend(),
                       [&outer](QRgb c) { return outer.index.contains(c); });
}

// A GIF's colour table has a power of two entries, at least two.
ColourMap colourMap(const std::vector<QRgb> &colours)
{
    int count = 2;
    while (count < int(colours.size()))
        count *= 2;
    ColourMap map(GifMakeMapObject(count, nullptr));
    if (!map)
        return map;
    for (int i = 0; i < count; ++i) {
        const QRgb c = i < int(colours.size()) ? colours[std::size_t(i)] : 0;
        map->Colors[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    return map;
}

// The smallest rectangle holding every pixel that differs; empty for none.
QRect changedArea(const QImage &before, const QImage &after)
{
    const std::size_t rowBytes = std::size_t(after.width()) * sizeof(QRgb);
    int top = -1, bottom = -1, left = after.width(), right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(after.constScanLine(y));
        if (std::memcmp(a, b, rowBytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x0 = 0;
        while (a[x0] == b[x0])
            ++x0;
        int x1 = after.width() - 1;
        while (a[x1] == b[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void GifWriter::Closer::operator()(GifFileType *gif) const
{
    EGifCloseFile(gif, nullptr);
}

GifWriter::GifWriter(QIODevice &device, QSize size)
    : size_(size)
{
    if (size.width() < 1 || size.height() < 1 || size.width() > MaxGifNumber || size.height() > MaxGifNumber)
        return;
    int error = 0;
    gif_.reset(EGifOpen(&device, writeToDevice, &error));
    ok_ = gif_ != nullptr;
}

GifWriter::~GifWriter() = default;

bool GifWriter::start(const Palette &screen)
{
    started_ = true;
    screen_ = screen;
    const ColourMap map = colourMap(screen.colours);
    EGifSetGifVersion(gif_.get(), true);
    static const GifByteType loopForEver[] = {1, 0, 0};
    return map && EGifPutScreenDesc(gif_.get(), size_.width(), size_.height(), 8, 0, map.get()) == GIF_OK
        && EGifPutExtensionLeader(gif_.get(), APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif_.get(), 11, "NETSCAPE2.0") == GIF_OK
        && EGifPutExtensionBlock(gif_.get(), 3, loopForEver) == GIF_OK && EGifPutExtensionTrailer(gif_.get()) == GIF_OK;
}

bool GifWriter::addFrame(const QImage &frame, int delayCentiseconds)
{
    if (!ok_ || !gif_ || frame.size() != size_)
        return false;
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        return false;
    // More colours than a table holds: Qt's own reduction to 256.
    const std::optional<Palette> exact = exactPalette(rgb);
    const QImage indexed = exact ? QImage() : rgb.convertToFormat(QImage::Format_Indexed8);
    // What a viewer shows once the frame is drawn, against which the next
    // frame's change is found.
    const QImage shown = exact ? rgb : indexed.convertToFormat(QImage::Format_RGB32);
    if (shown.isNull())
        return false;
    const Palette colours = exact ? *exact : paletteOf(indexed.colorTable());
    if (!started_ && !start(colours)) {
        ok_ = false;
        return false;
    }
    QRect area = rgb.rect();
    if (!shown_.isNull()) {
        area = changedArea(shown_, shown);
        // A frame must hold a pixel, even one that stays as it is.
        if (area.isEmpty())
            area = QRect(0, 0, 1, 1);
    }
    shown_ = shown;
    ok_ = writeFrame(rgb, indexed, colours, area, delayCentiseconds);
    return ok_;
}

bool GifWriter::writeFrame(const QImage &rgb, const QImage &indexed, const Palette &colours, QRect area, int delay)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = std::clamp(delay, 0, MaxGifNumber);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK)
        return false;

    // The screen's table serves every frame whose colours it holds.
    const bool onScreenTable = indexed.isNull() ? holds(screen_, colours) : colours.colours == screen_.colours;
    const Palette &table = onScreenTable ? screen_ : colours;
    ColourMap local;
    if (!onScreenTable) {
        local = colourMap(colours.colours);
        if (!local)
            return false;
    }
    // giflib forgets the last frame's own table, unfreed, at a frame without one.
    if (gif_->Image.ColorMap) {
        GifFreeMapObject(gif_->Image.ColorMap);
        gif_->Image.ColorMap = nullptr;
    }
    if (EGifPutImageDesc(gif_.get(), area.x(), area.y(), area.width(), area.height(), false, local.get()) != GIF_OK)
        return false;

    line_.resize(std::size_t(area.width()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (!indexed.isNull()) {
            std::memcpy(line_.data(), indexed.constScanLine(y) + area.x(), line_.size());
        } else {
            const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y)) + area.x();
            QRgb last = row[0];
            int index = table.index.at(last);
            for (int x = 0; x < area.width(); ++x) {
                if (row[x] != last) {
                    last = row[x];
                    index = table.index.at(last);
                }
                line_[std::size_t(x)] = GifPixelType(index);
            }
        }
        if (EGifPutLine(gif_.get(), line_.data(), area.width()) != GIF_OK)
            return false;
    }
    return true;
}

bool GifWriter::finish()
{
    if (!gif_)
        return false;
    // Even without a frame the file is a whole GIF.
    if (!started_ && !start(Palette{{0}, {{0, 0}}}))
        ok_ = false;
    int error = 0;
    const bool closed = EGifCloseFile(gif_.release(), &error) == GIF_OK;
    ok_ = ok_ && closed;
    return ok_;
}
