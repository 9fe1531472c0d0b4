#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <future>

class QRandomGenerator;

// The wallpaper of the main window: a picture chosen at random from the TAPETY folder of the
// working directory.
namespace tapety {

// The wallpaper list holds at most this many names.
constexpr qsizetype kMaxWallpapers = 1000;
// The picture box of the main window; every wallpaper is stretched to fill it.
constexpr QSize kWallpaperSize{253, 165};
// A file larger than this is not read, and a picture whose header declares more pixels than
// this is not decoded: no picture for a box of 253 × 165 pixels needs them, and a damaged or
// hostile file must not make the program allocate hundreds of megabytes.
constexpr qint64 kMaxFileSize = 50 * 1024 * 1024;
constexpr qint64 kMaxPixels = 50'000'000;
// The picture is decoded at a scale that covers the box, which enlarges a narrow one: one of
// 252 × 65535 pixels would be decoded at twice its size, 264 MB. No picture is decoded into more
// than this many pixels (64 MB); only pictures narrower than about 1 : 100 come near it.
// A progressive file (or one whose first scan lacks a component) is held whole in the decoder,
// as coefficients of its full size (2 bytes per pixel of each component); that buffer is held
// to the same 64 MB.
constexpr qint64 kMaxDecodedPixels = 16 * 1024 * 1024;

// The names (without folder) of the files in TAPETY whose names end in ".jpg" in any letter
// case, hidden ones included, in the order the file system lists them; at most
// kMaxWallpapers of them. Empty when the folder is missing or holds none.
QStringList SzukajTapet(const QString &workingDir);

// An index 0 … count - 1, each equally likely; -1 when count is 0.
qsizetype PickWallpaper(qsizetype count, QRandomGenerator &random);

// One of the decoder's scaling factors, num / denom.
struct ScalingFactor {
    int num = 1;
    int denom = 1;
    // The decoder's output size for a picture of `size`: each side num / denom of the
    // picture's, rounded up.
    QSize scaledSize(const QSize &size) const;
};

// The smallest of the decoder's scaling factors (1/8 … 2/1) at which the decoded picture still
// covers `target` in both directions; the largest one when none does.
ScalingFactor CoveringScale(const QSize &picture, const QSize &target = kWallpaperSize);

// Decodes a JPEG file at CoveringScale and stretches it smoothly to kWallpaperSize. A missing
// or unreadable file, one larger than kMaxFileSize, one whose header declares more than
// kMaxPixels or would need more than kMaxDecodedPixels * 4 bytes for its decoding, and one that
// is not a complete, valid JPEG give a null image; nothing is reported. The sizes are checked
// on the headers, before any buffer for the picture is allocated.
QImage LoadWallpaper(const QString &path);

// The start-up wallpaper: lists TAPETY, picks one name with `random` and loads it. A null image
// when there is none or it cannot be decoded.
QImage ChooseWallpaper(const QString &workingDir, QRandomGenerator &random);

// ChooseWallpaper with a generator seeded with `seed`, run on a thread of its own so that the
// picture is decoded while the main window is being built; the future gives the same picture
// as the call would. Where no thread can be started, it is chosen when the future is asked.
std::future<QImage> ChooseWallpaperAhead(const QString &workingDir, quint32 seed);

} // namespace tapety
