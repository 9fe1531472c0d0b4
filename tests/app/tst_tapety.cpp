#include "tapety.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

// Under AddressSanitizer every allocation can be watched, so a test can show how large a buffer
// the decoder asked for.
#if defined(__SANITIZE_ADDRESS__)
#define WATCH_ALLOCATIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WATCH_ALLOCATIONS 1
#endif
#endif
#ifdef WATCH_ALLOCATIONS
// Declared here: GCC ships no header for it, though its runtime has it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void *, size_t),
                                                         void (*)(const volatile void *));
#endif

using namespace tapety;

namespace {

// A picture of two halves, left and right, saved as JPEG.
QByteArray twoHalvesJpeg(const QSize &size, const QColor &left, const QColor &right,
                         QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(size, format);
    picture.fill(right);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            picture.setPixelColor(x, y, left);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "JPG", 90))
        qFatal("the JPEG writer is missing");
    return bytes;
}

QByteArray redBlueJpeg(const QSize &size = {600, 400})
{
    return twoHalvesJpeg(size, Qt::red, Qt::blue);
}

// A JPEG whose frame header (SOF0) declares `size`; the picture data stay those of the original.
QByteArray withDeclaredSize(QByteArray jpeg, const QSize &size)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0"));
    if (frame < 0)
        qFatal("no baseline frame header");
    // marker (2), length (2), precision (1), height (2), width (2), all big-endian
    jpeg[frame + 5] = char(size.height() >> 8);
    jpeg[frame + 6] = char(size.height() & 0xFF);
    jpeg[frame + 7] = char(size.width() >> 8);
    jpeg[frame + 8] = char(size.width() & 0xFF);
    return jpeg;
}

#ifdef WATCH_ALLOCATIONS
std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largestAllocation{0};

void onMalloc(const volatile void *, size_t size)
{
    if (!g_watching)
        return;
    size_t largest = g_largestAllocation;
    while (size > largest && !g_largestAllocation.compare_exchange_weak(largest, size)) {
    }
}

void onFree(const volatile void *) {}

// The largest single allocation while the wallpaper loads.
size_t largestAllocationLoading(const QString &file, bool *decoded)
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
    if (!installed)
        qFatal("the allocation hooks could not be installed");
    g_largestAllocation = 0;
    g_watching = true;
    *decoded = !LoadWallpaper(file).isNull();
    g_watching = false;
    return g_largestAllocation;
}
#endif

bool near(const QColor &actual, const QColor &expected)
{
    constexpr int kTolerance = 40; // JPEG loses a little colour at the edges of blocks
    return qAbs(actual.red() - expected.red()) <= kTolerance &&
           qAbs(actual.green() - expected.green()) <= kTolerance &&
           qAbs(actual.blue() - expected.blue()) <= kTolerance;
}

} // namespace

class TestTapety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listing_data();
    void listing();
    void listingStopsAtItsCapacity();
    void pickCoversEveryIndex();
    void loadStretchesToTheBox_data();
    void loadStretchesToTheBox();
    void unusableFileGivesNoPicture_data();
    void unusableFileGivesNoPicture();
    void oversizedFileIsNotRead();
    void pictureBeyondThePixelLimitIsNotDecoded_data();
    void pictureBeyondThePixelLimitIsNotDecoded();
    void hostileHeaderAllocatesNoPicture();
    void coveringScale_data();
    void coveringScale();
    void singleWallpaperIsAlwaysChosen();
    void noWallpaperGivesNoPicture();
    void choiceAheadIsTheChoiceOfItsSeed();

private:
    QString path(const QString &relative) const { return m_dir->filePath(relative); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTapety::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestTapety::cleanup()
{
    m_dir.reset();
}

void TestTapety::listing_data()
{
    QTest::addColumn<QString>("folder");      // empty: no folder at all
    QTest::addColumn<QStringList>("entries"); // a trailing "/" makes a directory
    QTest::addColumn<QStringList>("expected");

    const QString tapety = QStringLiteral("TAPETY");
    QTest::newRow("no folder") << QString() << QStringList() << QStringList();
    QTest::newRow("empty folder") << tapety << QStringList() << QStringList();
    QTest::newRow("one") << tapety << QStringList{"las.jpg"} << QStringList{"las.jpg"};
    QTest::newRow("several") << tapety << QStringList{"a.jpg", "b.jpg", "c c.jpg"}
                             << QStringList{"a.jpg", "b.jpg", "c c.jpg"};
    QTest::newRow("other endings ignored")
        << tapety << QStringList{"a.jpg", "b.png", "c.jpeg", "d.jpg.txt", "ejpg", "f.jp"}
        << QStringList{"a.jpg"};
    QTest::newRow("any letter case") << tapety << QStringList{"A.JPG", "b.Jpg", "c.jpG"}
                                     << QStringList{"A.JPG", "b.Jpg", "c.jpG"};
    QTest::newRow("hidden file listed")
        << tapety << QStringList{".ukryta.jpg"} << QStringList{".ukryta.jpg"};
    QTest::newRow("directory ignored")
        << tapety << QStringList{"katalog.jpg/", "a.jpg"} << QStringList{"a.jpg"};
    QTest::newRow("folder in lower case")
        << QStringLiteral("tapety") << QStringList{"a.jpg"} << QStringList{"a.jpg"};
    QTest::newRow("files outside the folder ignored")
        << QStringLiteral("INNE") << QStringList{"a.jpg"} << QStringList();
}

void TestTapety::listing()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);

    if (!folder.isEmpty()) {
        QVERIFY(QDir(m_dir->path()).mkdir(folder));
        for (const QString &entry : entries) {
            const QString target = path(folder + QLatin1Char('/') + entry);
            if (entry.endsWith(QLatin1Char('/')))
                QVERIFY(QDir().mkdir(target));
            else
                QVERIFY(testfiles::writeBytes(target, "x"));
        }
    }

    QStringList names = SzukajTapet(m_dir->path());
    // The order is the file system's; only the set is fixed.
    names.sort();
    expected.sort();
    QCOMPARE(names, expected);
}

void TestTapety::listingStopsAtItsCapacity()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("TAPETY")));
    QSet<QString> created;
    for (int i = 0; i < kMaxWallpapers + 5; ++i) {
        const QString name = QStringLiteral("t%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        QVERIFY(testfiles::writeBytes(path(QStringLiteral("TAPETY/") + name), "x"));
        created.insert(name);
    }

    const QStringList names = SzukajTapet(m_dir->path());
    QCOMPARE(names.size(), kMaxWallpapers);
    const QSet<QString> listed(names.cbegin(), names.cend());
    QCOMPARE(listed.size(), kMaxWallpapers);
    QVERIFY(created.contains(listed));
}

void TestTapety::pickCoversEveryIndex()
{
    QRandomGenerator random(20070315);
    QCOMPARE(PickWallpaper(0, random), qsizetype(-1));
    for (int draw = 0; draw < 20; ++draw)
        QCOMPARE(PickWallpaper(1, random), qsizetype(0));

    constexpr qsizetype kCount = 7;
    QSet<qsizetype> drawn;
    for (int draw = 0; draw < 500; ++draw) {
        const qsizetype index = PickWallpaper(kCount, random);
        QVERIFY2(index >= 0 && index < kCount, qPrintable(QString::number(index)));
        drawn.insert(index);
    }
    QCOMPARE(drawn.size(), kCount);
}

void TestTapety::loadStretchesToTheBox_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QColor>("left");
    QTest::addColumn<QColor>("right");

    const QColor red(Qt::red);
    const QColor blue(Qt::blue);
    QTest::newRow("wallpaper size") << redBlueJpeg({1000, 650}) << red << blue;
    QTest::newRow("an eighth covers the box exactly") << redBlueJpeg({2024, 1320}) << red << blue;
    QTest::newRow("box size") << redBlueJpeg({253, 165}) << red << blue;
    QTest::newRow("smaller than the box") << redBlueJpeg({90, 40}) << red << blue;
    QTest::newRow("tall and narrow") << redBlueJpeg({300, 2000}) << red << blue;
    QTest::newRow("grey scale") << twoHalvesJpeg({800, 600}, QColor(40, 40, 40),
                                                 QColor(220, 220, 220), QImage::Format_Grayscale8)
                                << QColor(40, 40, 40) << QColor(220, 220, 220);
}

// The halves must stay where they were and keep their colours: a swapped channel order or a
// wrong row pitch shows here.
void TestTapety::loadStretchesToTheBox()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QColor, left);
    QFETCH(QColor, right);
    const QString file = path(QStringLiteral("obraz.jpg"));
    QVERIFY(testfiles::writeBytes(file, jpeg));

    const QImage picture = LoadWallpaper(file);
    QCOMPARE(picture.size(), QSize(253, 165));
    for (int y : {5, 82, 160}) {
        QVERIFY2(near(picture.pixelColor(20, y), left),
                 qPrintable(picture.pixelColor(20, y).name()));
        QVERIFY2(near(picture.pixelColor(232, y), right),
                 qPrintable(picture.pixelColor(232, y).name()));
    }
}

void TestTapety::unusableFileGivesNoPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // not written when empty

    const QByteArray jpeg = redBlueJpeg();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage square(64, 64, QImage::Format_RGB32);
    square.fill(Qt::red);
    if (!square.save(&buffer, "PNG"))
        qFatal("the PNG writer is missing");

    QTest::newRow("missing") << QStringLiteral("brak.jpg") << QByteArray();
    QTest::newRow("text") << QStringLiteral("tekst.jpg") << QByteArray("to nie jest obrazek\r\n");
    QTest::newRow("PNG named .jpg") << QStringLiteral("png.jpg") << png;
    QTest::newRow("start marker only") << QStringLiteral("soi.jpg") << jpeg.left(2);
    QTest::newRow("header only") << QStringLiteral("naglowek.jpg") << jpeg.left(700);
    QTest::newRow("cut in half") << QStringLiteral("polowa.jpg") << jpeg.left(jpeg.size() / 2);
    QTest::newRow("end marker missing") << QStringLiteral("bez_konca.jpg") << jpeg.chopped(2);
}

void TestTapety::unusableFileGivesNoPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString file = path(name);
    if (!content.isEmpty())
        QVERIFY(testfiles::writeBytes(file, content));

    QVERIFY(LoadWallpaper(file).isNull());
}

void TestTapety::oversizedFileIsNotRead()
{
    const QString file = path(QStringLiteral("duzy.jpg"));
    QVERIFY(testfiles::writeBytes(file, redBlueJpeg()));

    // Bytes after the end marker do not spoil a JPEG; only the size turns it away. The file is
    // sparse, so it takes no room on the disk.
    QFile grown(file);
    QVERIFY(grown.resize(kMaxFileSize));
    QCOMPARE(LoadWallpaper(file).size(), kWallpaperSize);
    QVERIFY(grown.resize(kMaxFileSize + 1));
    QVERIFY(LoadWallpaper(file).isNull());
    QVERIFY(grown.resize(51 * 1024 * 1024));
    QVERIFY(LoadWallpaper(file).isNull());
}

void TestTapety::pictureBeyondThePixelLimitIsNotDecoded_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<bool>("decoded");

    // Plain grey pictures of either side of the limit: valid files that decode whenever the
    // limit lets them.
    const auto grey = [](const QSize &size, bool progressive = false) {
        QImage picture(size, QImage::Format_Grayscale8);
        picture.fill(QColor(128, 128, 128));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(50);
        writer.setProgressiveScanWrite(progressive);
        if (!writer.write(picture))
            qFatal("the JPEG writer is missing");
        return bytes;
    };
    QCOMPARE(qint64(7071) * 7071 <= kMaxPixels, true);
    QCOMPARE(qint64(7072) * 7072 > kMaxPixels, true);
    QTest::newRow("just under the limit") << grey({7071, 7071}) << true;
    QTest::newRow("just over the limit") << grey({7072, 7072}) << false;
    // Narrow pictures are enlarged to cover the box: twice their size here.
    QTest::newRow("narrow, decoded within the limit") << grey({120, 30000}) << true;
    QTest::newRow("narrow, decoded beyond the limit") << grey({126, 40000}) << false;
    // Progressive: held whole as 2 bytes a pixel; 4000 x 4000 needs 32 MB, 6000 x 6000 72 MB.
    QTest::newRow("progressive within the limit") << grey({4000, 4000}, true) << true;
    QTest::newRow("progressive beyond the limit") << grey({6000, 6000}, true) << false;
    // A small file whose header claims 65500 x 65500 pixels: it would need a buffer of 268 MB
    // for the picture at an eighth of its size.
    QTest::newRow("header claims 65500 x 65500")
        << withDeclaredSize(redBlueJpeg(), {65500, 65500}) << false;
}

void TestTapety::pictureBeyondThePixelLimitIsNotDecoded()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(bool, decoded);
    const QString file = path(QStringLiteral("obraz.jpg"));
    QVERIFY(testfiles::writeBytes(file, jpeg));
    QCOMPARE(!LoadWallpaper(file).isNull(), decoded);
}

void TestTapety::hostileHeaderAllocatesNoPicture()
{
#ifndef WATCH_ALLOCATIONS
    QSKIP("allocations can be watched only under AddressSanitizer (scripts/test-sanitize)");
#else
    // A picture within the limits is decoded into a buffer of its decoded size (an eighth:
    // 500 x 375 pixels of 4 bytes), and the watch sees it.
    QImage large(4000, 3000, QImage::Format_Grayscale8);
    large.fill(QColor(90, 90, 90));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(large.save(&buffer, "JPG", 50));
    const QString file = path(QStringLiteral("obraz.jpg"));
    QVERIFY(testfiles::writeBytes(file, jpeg));
    bool decoded = false;
    QCOMPARE_GE(largestAllocationLoading(file, &decoded), size_t(500 * 375 * 4));
    QVERIFY(decoded);

    // A header claiming 65500 x 65500 pixels, or a narrow 200 x 65535 that would be decoded at
    // 11/8 of its size (275 x 90111 pixels), gets no buffer for them: nothing larger than the
    // file and the decoder's own small tables is allocated.
    for (const QSize claimed : {QSize(65500, 65500), QSize(200, 65535)}) {
        QVERIFY(testfiles::writeBytes(file, withDeclaredSize(redBlueJpeg(), claimed)));
        QCOMPARE_LT(largestAllocationLoading(file, &decoded), size_t(256 * 1024));
        QVERIFY(!decoded);
    }
#endif
}

void TestTapety::coveringScale_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("decoded");

    QTest::newRow("12 megapixels: an eighth") << QSize(4000, 3000) << QSize(500, 375);
    QTest::newRow("an eighth exactly covers") << QSize(2024, 1320) << QSize(253, 165);
    QTest::newRow("an eighth one pixel short") << QSize(2016, 1312) << QSize(504, 328);
    QTest::newRow("wallpaper size: three eighths") << QSize(1000, 650) << QSize(375, 244);
    QTest::newRow("half, rounded up") << QSize(505, 329) << QSize(253, 165);
    QTest::newRow("height decides") << QSize(4000, 200) << QSize(3500, 175);
    QTest::newRow("width decides") << QSize(300, 2000) << QSize(263, 1750);
    QTest::newRow("box size: full") << QSize(253, 165) << QSize(253, 165);
    QTest::newRow("smaller: enlarged by seven quarters") << QSize(200, 100) << QSize(350, 175);
    QTest::newRow("too small for any factor: twice") << QSize(90, 40) << QSize(180, 80);
}

void TestTapety::coveringScale()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, decoded);
    QCOMPARE(CoveringScale(picture).scaledSize(picture), decoded);
}

void TestTapety::singleWallpaperIsAlwaysChosen()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("TAPETY")));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("TAPETY/jedyna.JPG")), redBlueJpeg()));
    for (quint32 seed = 1; seed <= 10; ++seed) {
        QRandomGenerator random(seed);
        QCOMPARE(ChooseWallpaper(m_dir->path(), random).size(), QSize(253, 165));
    }
}

void TestTapety::noWallpaperGivesNoPicture()
{
    QRandomGenerator random(1);
    QVERIFY(ChooseWallpaper(m_dir->path(), random).isNull());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("TAPETY")));
    QVERIFY(testfiles::writeBytes(path(QStringLiteral("TAPETY/opis.txt")), "x"));
    QVERIFY(ChooseWallpaper(m_dir->path(), random).isNull());
}

// The start-up decodes on a thread of its own: the same seed gives the same picture, to the pixel.
void TestTapety::choiceAheadIsTheChoiceOfItsSeed()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("TAPETY")));
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(testfiles::writeBytes(path(QStringLiteral("TAPETY/%1.jpg").arg(i)),
                                      twoHalvesJpeg({640, 480}, colours[i], Qt::white)));
    }
    QSet<QRgb> corners;
    for (quint32 seed = 1; seed <= 12; ++seed) {
        QRandomGenerator random(seed);
        const QImage now = ChooseWallpaper(m_dir->path(), random);
        const QImage ahead = ChooseWallpaperAhead(m_dir->path(), seed).get();
        QVERIFY(!now.isNull());
        QCOMPARE(ahead, now);
        corners.insert(now.pixel(0, 0));
    }
    QVERIFY(corners.size() > 1); // the seeds chose different pictures
}

QTEST_GUILESS_MAIN(TestTapety)
#include "tst_tapety.moc"
