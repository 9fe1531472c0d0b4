#include "tapety.h"

#include "paths.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

#include <turbojpeg.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>

namespace tapety {

namespace {

struct DecompressorDeleter {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Decompressor = std::unique_ptr<void, DecompressorDeleter>;

// The bytes of the decoder's whole-picture coefficient buffers (64 coefficients of 2 bytes for
// every 8 x 8 block of every component, whatever the scale), which it needs for a progressive
// file and for one whose first scan does not hold every component; 0 for a file it decodes line
// by line. Read from the frame and first scan headers, which the decoder has already accepted;
// headers this cannot follow to the first scan count as too large.
qint64 WholePictureBufferSize(const QByteArray &jpeg)
{
    const auto byteAt = [&jpeg](qsizetype i) { return int(quint8(jpeg.at(i))); };
    constexpr qint64 kUnknown = std::numeric_limits<qint64>::max();
    bool progressive = false;
    int components = 0;
    qint64 blocks = 0;
    qsizetype at = 2; // after the start marker
    while (at + 4 <= jpeg.size()) {
        if (byteAt(at) != 0xFF)
            return kUnknown;
        const int marker = byteAt(at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // no length follows
            at += 2;
            continue;
        }
        const qsizetype length = (byteAt(at + 2) << 8) | byteAt(at + 3);
        const qsizetype body = at + 4;
        if (length < 2 || at + 2 + length > jpeg.size())
            return kUnknown;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 8)
                return kUnknown;
            progressive = (marker & 0x03) == 0x02;
            const qint64 height = (byteAt(body + 1) << 8) | byteAt(body + 2);
            const qint64 width = (byteAt(body + 3) << 8) | byteAt(body + 4);
            components = byteAt(body + 5);
            if (length < 8 + 3 * components)
                return kUnknown;
            int hMax = 1;
            int vMax = 1;
            for (int c = 0; c < components; ++c) {
                hMax = std::max(hMax, byteAt(body + 7 + 3 * c) >> 4);
                vMax = std::max(vMax, byteAt(body + 7 + 3 * c) & 0x0F);
            }
            for (int c = 0; c < components; ++c) {
                const int h = byteAt(body + 7 + 3 * c) >> 4;
                const int v = byteAt(body + 7 + 3 * c) & 0x0F;
                blocks += ((width * h + hMax * 8 - 1) / (hMax * 8)) *
                          ((height * v + vMax * 8 - 1) / (vMax * 8));
            }
        } else if (marker == 0xDA) { // the first scan
            const bool everyComponent = length >= 3 && byteAt(body) >= components;
            return progressive || !everyComponent ? blocks * 128 : 0;
        }
        at += 2 + length;
    }
    return kUnknown;
}

} // namespace

QStringList SzukajTapet(const QString &workingDir)
{
    QStringList names;
    QDirIterator entries(storage::PathIn(workingDir, QStringLiteral("TAPETY")),
                         QDir::Files | QDir::Hidden);
    while (names.size() < kMaxWallpapers && entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

qsizetype PickWallpaper(qsizetype count, QRandomGenerator &random)
{
    if (count <= 0)
        return -1;
    return random.bounded(qint64(count));
}

QSize ScalingFactor::scaledSize(const QSize &size) const
{
    // The decoder's own rounding (TJSCALED): up to the next whole pixel.
    return {(size.width() * num + denom - 1) / denom, (size.height() * num + denom - 1) / denom};
}

ScalingFactor CoveringScale(const QSize &picture, const QSize &target)
{
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    std::optional<ScalingFactor> smallestCovering;
    ScalingFactor largest;
    // a < b, compared without rounding.
    const auto less = [](const ScalingFactor &a, const ScalingFactor &b) {
        return qint64(a.num) * b.denom < qint64(b.num) * a.denom;
    };
    for (int i = 0; factors && i < count; ++i) {
        const ScalingFactor candidate{factors[i].num, factors[i].denom};
        if (less(largest, candidate))
            largest = candidate;
        const QSize scaled = candidate.scaledSize(picture);
        if (scaled.width() < target.width() || scaled.height() < target.height())
            continue;
        if (!smallestCovering || less(candidate, *smallestCovering))
            smallestCovering = candidate;
    }
    return smallestCovering.value_or(largest);
}

QImage LoadWallpaper(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return {};
    // Read no more than the size checked above (a file that grows meanwhile is cut there): a read
    // of the limit would reserve that much for every picture, however small.
    const QByteArray jpeg = file.read(file.size());
    if (jpeg.isEmpty())
        return {};
    const auto *bytes = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const auto length = static_cast<unsigned long>(jpeg.size());

    const Decompressor decompressor(tjInitDecompress());
    if (!decompressor)
        return {};
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(decompressor.get(), bytes, length, &width, &height, &subsampling,
                            &colourspace) != 0 ||
        width <= 0 || height <= 0 || qint64(width) * height > kMaxPixels)
        return {};

    const QSize decoded = CoveringScale({width, height}).scaledSize({width, height});
    if (qint64(decoded.width()) * decoded.height() > kMaxDecodedPixels ||
        WholePictureBufferSize(jpeg) > kMaxDecodedPixels * 4)
        return {};
    // RGBX has the same byte order on every platform.
    QImage picture(decoded, QImage::Format_RGBX8888);
    if (picture.isNull())
        return {};
    // The decoder picks the scaling factor that yields exactly `decoded`. A warning (a truncated
    // or damaged file) stops it, so only a whole picture is ever shown.
    if (tjDecompress2(decompressor.get(), bytes, length, picture.bits(), decoded.width(),
                      int(picture.bytesPerLine()), decoded.height(), TJPF_RGBX,
                      TJFLAG_STOPONWARNING) != 0)
        return {};
    return picture.scaled(kWallpaperSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ChooseWallpaper(const QString &workingDir, QRandomGenerator &random)
{
    const QStringList names = SzukajTapet(workingDir);
    const qsizetype chosen = PickWallpaper(names.size(), random);
    if (chosen < 0)
        return {};
    // The name is joined as it was listed, so that no character of it is taken for a separator.
    return LoadWallpaper(
        QDir(storage::PathIn(workingDir, QStringLiteral("TAPETY"))).filePath(names.at(chosen)));
}

std::future<QImage> ChooseWallpaperAhead(const QString &workingDir, quint32 seed)
{
    auto choose = [workingDir, seed] {
        QRandomGenerator random(seed);
        return ChooseWallpaper(workingDir, random);
    };
    try {
        return std::async(std::launch::async, choose);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, choose);
    }
}

} // namespace tapety
