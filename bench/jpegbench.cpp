// Times the wallpaper loading of the program (decoding scaled down by the JPEG decoder, then
// smooth scaling to the picture box) against a full-size decode followed by the same smooth
// scaling, on a picture of 12 megapixels.
//
//   jpegbench [repetitions]
#include "tapety.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A photograph-like picture: smooth gradients with fine noise, so that the compressed data is
// about as dense as a camera's.
QImage makePicture(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator noise(12345);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grain = int(noise.bounded(24)) - 12;
            const int red = std::clamp(x * 255 / size.width() + grain, 0, 255);
            const int green = std::clamp(y * 255 / size.height() + grain, 0, 255);
            const int blue = std::clamp(((x / 64 + y / 64) % 2) * 80 + 90 + grain, 0, 255);
            line[x] = qRgb(red, green, blue);
        }
    }
    return picture;
}

QImage fullDecodeThenScale(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray jpeg = file.readAll();
    const auto *bytes = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const auto length = static_cast<unsigned long>(jpeg.size());
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    QImage picture;
    if (tjDecompressHeader3(handle, bytes, length, &width, &height, &subsampling, &colourspace) ==
        0) {
        picture = QImage(width, height, QImage::Format_RGBX8888);
        if (tjDecompress2(handle, bytes, length, picture.bits(), width, int(picture.bytesPerLine()),
                          height, TJPF_RGBX, 0) != 0)
            picture = QImage();
    }
    tjDestroy(handle);
    if (picture.isNull())
        return {};
    return picture.scaled(tapety::kWallpaperSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

template <typename Load> double milliseconds(Load load, const QString &path, bool &ok)
{
    QElapsedTimer timer;
    timer.start();
    const QImage picture = load(path);
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    ok = ok && picture.size() == tapety::kWallpaperSize;
    return elapsed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duzy.jpg"));
    const QSize size(4000, 3000);
    if (!dir.isValid() || !makePicture(size).save(path, "JPG", 90)) {
        std::fprintf(stderr, "jpegbench: cannot write the test picture\n");
        return 1;
    }

    bool ok = true;
    std::vector<double> scaled;
    std::vector<double> full;
    // Warm the file cache and the libraries before timing; then alternate the two ways.
    milliseconds(tapety::LoadWallpaper, path, ok);
    milliseconds(fullDecodeThenScale, path, ok);
    for (int i = 0; i < repetitions; ++i) {
        scaled.push_back(milliseconds(tapety::LoadWallpaper, path, ok));
        full.push_back(milliseconds(fullDecodeThenScale, path, ok));
    }
    if (!ok) {
        std::fprintf(stderr, "jpegbench: a decode failed\n");
        return 1;
    }

    const tapety::ScalingFactor factor = tapety::CoveringScale(size);
    const double scaledMedian = median(scaled);
    const double fullMedian = median(full);
    std::printf("JPEG %dx%d (%lld KB), %d repetitions, medians:\n", size.width(), size.height(),
                QFile(path).size() / 1024, repetitions);
    std::printf("  decode at %d/%d + smooth scale (program): %8.2f ms\n", factor.num, factor.denom,
                scaledMedian);
    std::printf("  full decode + smooth scale:               %8.2f ms\n", fullMedian);
    std::printf("  ratio scaled / full: %.3f  (full is %.1f times slower)\n",
                scaledMedian / fullMedian, fullMedian / scaledMedian);
    return 0;
}
