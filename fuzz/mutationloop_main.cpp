// A seeded mutation loop for the fuzz drivers where libFuzzer is not at hand (GCC builds): it
// runs every seed file, then `runs` inputs made by mutating randomly chosen seeds, and takes the
// same arguments as libFuzzer for that (-runs=N, -seed=S, -max_len=L, corpus folders or files).
// Unlike libFuzzer it is not guided by coverage; it finds what random damage to valid files
// finds. An input that ends the process is written to crash-<seed>-<run> before the sanitizer's
// report ends it.

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) __attribute__((weak));

namespace {

using Input = std::vector<uint8_t>;

Input g_current;
std::string g_crashName;

void saveCurrent()
{
    static bool saved = false;
    if (saved)
        return;
    saved = true;
    std::ofstream out(g_crashName, std::ios::binary);
    out.write(reinterpret_cast<const char *>(g_current.data()), std::streamsize(g_current.size()));
    std::fprintf(stderr, "input written to %s (%zu bytes)\n", g_crashName.c_str(),
                 g_current.size());
}

void onAbort(int)
{
    saveCurrent();
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

Input readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Input(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes that damaged files of this program tend to hold: length bytes at and beyond the
// capacities, the limits of 32-bit numbers, and the characters of number texts.
constexpr uint8_t kInteresting[] = {0,    1,    2,    3,    9,    10,   15,   16,   20,  50,
                                    51,   60,   127,  128,  200,  201,  254,  255,  '0', '1',
                                    '5',  '9',  '.',  '-',  '+',  'e',  'E',  ' ',  ',', '\r',
                                    '\n', 0x7F, 0x80, 0xFF, 0xB9, 0xA5, 0x9C, 0xFE, 'd', 'k'};

class Mutator
{
public:
    Mutator(uint64_t seed, size_t maxLength) : m_random(seed), m_maxLength(maxLength) {}

    Input mutate(const std::vector<Input> &seeds)
    {
        Input input = seeds[pick(seeds.size())];
        const size_t steps = 1 + pick(8);
        for (size_t step = 0; step < steps; ++step)
            once(input, seeds);
        if (input.size() > m_maxLength)
            input.resize(m_maxLength);
        return input;
    }

private:
    size_t pick(size_t count) { return count == 0 ? 0 : size_t(m_random() % count); }
    uint8_t anyByte() { return uint8_t(m_random()); }

    void once(Input &input, const std::vector<Input> &seeds)
    {
        switch (pick(input.empty() ? 2 : 11)) {
        case 0: // insert bytes
        case 1: {
            const size_t at = pick(input.size() + 1);
            const size_t count = 1 + pick(16);
            for (size_t i = 0; i < count; ++i)
                input.insert(input.begin() + ptrdiff_t(at), pick(2) ? anyByte() : interesting());
            break;
        }
        case 2: // flip a bit
            input[pick(input.size())] ^= uint8_t(1u << pick(8));
            break;
        case 3: // any byte
            input[pick(input.size())] = anyByte();
            break;
        case 4: // an interesting byte
        case 5:
            input[pick(input.size())] = interesting();
            break;
        case 6: { // erase a range
            const size_t at = pick(input.size());
            const size_t count = 1 + pick(std::min<size_t>(input.size() - at, 64));
            input.erase(input.begin() + ptrdiff_t(at), input.begin() + ptrdiff_t(at + count));
            break;
        }
        case 7: // cut the file short
            input.resize(pick(input.size()));
            break;
        case 8: { // a 32-bit number at any place
            const size_t at = pick(input.size());
            const uint32_t values[] = {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, anyWord()};
            const uint32_t value = values[pick(std::size(values))];
            for (size_t i = 0; i < 4 && at + i < input.size(); ++i)
                input[at + i] = uint8_t(value >> (8 * i));
            break;
        }
        case 9: { // bytes of another seed at the same place
            const Input &other = seeds[pick(seeds.size())];
            if (other.empty())
                break;
            const size_t at = pick(other.size());
            const size_t count = 1 + pick(std::min<size_t>(other.size() - at, 256));
            if (input.size() < at + count)
                input.resize(at + count);
            std::copy_n(other.begin() + ptrdiff_t(at), count, input.begin() + ptrdiff_t(at));
            break;
        }
        default: { // repeat a range
            const size_t at = pick(input.size());
            const size_t count = 1 + pick(std::min<size_t>(input.size() - at, 64));
            const Input range(input.begin() + ptrdiff_t(at), input.begin() + ptrdiff_t(at + count));
            input.insert(input.begin() + ptrdiff_t(pick(input.size() + 1)), range.begin(),
                         range.end());
            break;
        }
        }
    }

    uint8_t interesting() { return kInteresting[pick(std::size(kInteresting))]; }
    uint32_t anyWord() { return uint32_t(m_random()); }

    std::mt19937_64 m_random;
    size_t m_maxLength;
};

void run(const Input &input)
{
    g_current = input;
    LLVMFuzzerTestOneInput(g_current.data(), g_current.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    unsigned long long runs = 1000;
    unsigned long long seed = 1;
    size_t maxLength = 0;
    std::vector<Input> seeds;
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strncmp(argument, "-runs=", 6) == 0) {
            runs = std::strtoull(argument + 6, nullptr, 10);
        } else if (std::strncmp(argument, "-seed=", 6) == 0) {
            seed = std::strtoull(argument + 6, nullptr, 10);
        } else if (std::strncmp(argument, "-max_len=", 9) == 0) {
            maxLength = std::strtoull(argument + 9, nullptr, 10);
        } else if (argument[0] == '-') {
            std::fprintf(stderr, "unknown option %s\n", argument);
            return 2;
        } else if (std::filesystem::is_directory(argument)) {
            std::vector<std::filesystem::path> files;
            for (const auto &entry : std::filesystem::directory_iterator(argument))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            // The order of the folder listing differs between machines; the run must not.
            std::sort(files.begin(), files.end());
            for (const auto &file : files)
                seeds.push_back(readFile(file));
        } else {
            seeds.push_back(readFile(argument));
        }
    }
    seeds.push_back({});
    if (maxLength == 0) {
        for (const Input &input : seeds)
            maxLength = std::max(maxLength, input.size());
        maxLength += 1024;
    }

    std::signal(SIGABRT, onAbort);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(saveCurrent);
#endif

    g_crashName = "crash-" + std::to_string(seed) + "-seed";
    for (const Input &input : seeds)
        run(input);

    Mutator mutator(seed, maxLength);
    for (unsigned long long i = 0; i < runs; ++i) {
        g_crashName = "crash-" + std::to_string(seed) + "-" + std::to_string(i);
        run(mutator.mutate(seeds));
    }
    std::printf("Done %llu runs (%zu seeds, at most %zu bytes, seed %llu)\n", runs, seeds.size(),
                maxLength, seed);
    return 0;
}
