// A wallpaper file, decoded as the main window decodes it. No single allocation may go beyond
// the limits on the file and the decoded picture: they must act on the header.
#include "fuzzinput.h"
#include "tapety.h"

#include <QImage>

#include <algorithm>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FUZZ_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define FUZZ_ASAN 1
#endif

#ifdef FUZZ_ASAN
// Declared here: GCC ships no header for it, though its runtime has it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void *, size_t),
                                                         void (*)(const volatile void *));

namespace {
// The largest buffers a wallpaper may need: the file's bytes, and the decoded picture.
constexpr size_t kLargestAllocation =
    size_t(std::max(tapety::kMaxFileSize, tapety::kMaxDecodedPixels * 4)) + 64 * 1024;

void onMalloc(const volatile void *, size_t size)
{
    if (size > kLargestAllocation)
        fuzz::Fail("an allocation beyond what any accepted picture needs");
}
void onFree(const volatile void *) {}
} // namespace
#endif

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication(false);
#ifdef FUZZ_ASAN
    __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("TAPETY\\tapeta.jpg"), fuzz::Bytes(data, size));
    const QImage picture = tapety::LoadWallpaper(path);
    FUZZ_CHECK(picture.isNull() || picture.size() == tapety::kWallpaperSize);
    return 0;
}
