// Splitting a long Shift-JIS path: the double-byte rule walks backwards from every separator.
#include "core/DoubleByte.h"
#include "core/PathRules.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 250 bytes: folders of kanji whose trail bytes include 0x5C, and a dotted name.
std::string LongShiftJisPath() {
    std::string path = "C:\\";
    for (int i = 0; i < 12; ++i)
        path += "\x95\x5C\x8E\xA6\x83\x74\x83\x48\x83\x8B\x83\x5F.\x95\x5C\\";
    return path + "\x83\x74\x83\x40\x83\x43\x83\x8B.tar.gz";
}

const tovimar::CharacterRule Sjis = tovimar::ShiftJisRule();

void BM_PathName(benchmark::State &state) {
    const std::string path = LongShiftJisPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(tovimar::PathName(Sjis, path));
}
BENCHMARK(BM_PathName);

void BM_SplitNameAndExtension(benchmark::State &state) {
    const std::string path = LongShiftJisPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tovimar::StripExtension(Sjis, tovimar::PathName(Sjis, path)));
        benchmark::DoNotOptimize(tovimar::PathExtension(Sjis, path));
    }
}
BENCHMARK(BM_SplitNameAndExtension);

void BM_PathFolder(benchmark::State &state) {
    const std::string path = LongShiftJisPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            tovimar::AddTrailingDelimiter(Sjis, tovimar::PathFolder(Sjis, path)));
}
BENCHMARK(BM_PathFolder);

// A run of lead-range bytes makes every ByteKind walk the whole run.
void BM_PathNameLeadRun(benchmark::State &state) {
    std::string path = "C:\\";
    path.append(static_cast<size_t>(state.range(0)), '\x81');
    path += "\\a.txt";
    for (auto _ : state)
        benchmark::DoNotOptimize(tovimar::PathName(Sjis, path));
}
BENCHMARK(BM_PathNameLeadRun)->Arg(64)->Arg(1024);

void BM_ResolveLongPath(benchmark::State &state) {
    const std::string path = LongShiftJisPath();
    const tovimar::FindEntryName finder = [](const std::string &p) {
        return std::optional<std::string>(tovimar::PathName(Sjis, p));
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(tovimar::ResolveLongPath(Sjis, path, finder));
}
BENCHMARK(BM_ResolveLongPath);

} // namespace

BENCHMARK_MAIN();
