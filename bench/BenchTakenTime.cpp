// Reading a taken date from the files that make the readers walk furthest: a movie box at the
// end of a 4 GiB file, an eXIf chunk after thousands of image chunks, Matroska's Info behind
// clusters in a segment of unknown size, an AVI with hundreds or thousands of chunks before IDIT. The
// files are sparse, written once to the temporary folder; each read is a pread, counted.
#include "core/TakenTime.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Big(uint64_t v, int bytes) {
    std::string s;
    for (int i = bytes - 1; i >= 0; --i)
        s += char(v >> (8 * i));
    return s;
}
std::string Little(uint32_t v) {
    const std::string b = Big(v, 4);
    return std::string(b.rbegin(), b.rend());
}

// A file written piece by piece at chosen offsets; what lies between stays a hole.
class SparseFile {
public:
    explicit SparseFile(const char *name) {
        const char *dir = std::getenv("TMPDIR");
        path_ = std::string(dir ? dir : "/tmp") + "/tovimar-bench-" + name;
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    }
    ~SparseFile() {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    void Put(uint64_t at, const std::string &bytes) {
        if (::pwrite(fd_, bytes.data(), bytes.size(), off_t(at)) != ssize_t(bytes.size()))
            std::abort();
    }
    int Fd() const { return fd_; }

private:
    std::string path_;
    int fd_ = -1;
};

class FileSource : public tovimar::ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd), size_(uint64_t(::lseek(fd, 0, SEEK_END))) {}
    uint64_t Size() const override { return size_; }
    size_t Read(uint64_t offset, void *buffer, size_t count) override {
        ++reads_;
        const ssize_t n = ::pread(fd_, buffer, count, off_t(offset));
        return n > 0 ? size_t(n) : 0;
    }
    int Reads() const { return reads_; }

private:
    int fd_;
    uint64_t size_;
    int reads_ = 0;
};

// found: whether the file's date lies within what is walked.
void ReadDate(benchmark::State &state, const SparseFile &file, bool found = true) {
    int reads = 0;
    for (auto _ : state) {
        FileSource source(file.Fd());
        const auto taken = tovimar::ReadTakenTime(source);
        if (taken.has_value() != found) state.SkipWithError("the file is not what the bench means");
        benchmark::DoNotOptimize(taken);
        reads = source.Reads();
    }
    state.counters["reads"] = reads;
}

std::string Box(const std::string &type, const std::string &content) {
    return Big(content.size() + 8, 4) + type + content;
}

void BM_MovieBoxAfter4GiB(benchmark::State &state) {
    SparseFile file("movie.mp4");
    constexpr uint64_t MdatSize = 4ull << 30;
    const std::string ftyp = Box("ftyp", "isom" + Big(0, 4) + "isom");
    file.Put(0, ftyp + Big(1, 4) + "mdat" + Big(MdatSize, 8));
    const std::string mvhd = Box("mvhd", Big(0, 4) + Big(3855737109, 4) + std::string(92, '\0'));
    file.Put(ftyp.size() + MdatSize, Box("moov", mvhd));
    ReadDate(state, file);
}
BENCHMARK(BM_MovieBoxAfter4GiB)->Unit(benchmark::kMicrosecond);

std::string ExifTiff() {
    const std::string date = "2026:03:07 14:05:09";
    return std::string("MM\0*", 4) + Big(8, 4) + Big(1, 2) + Big(0x9003, 2) + Big(2, 2) +
           Big(date.size() + 1, 4) + Big(26, 4) + Big(0, 4) + date + '\0';
}

void BM_PngExifAfter4000Chunks(benchmark::State &state) {
    SparseFile file("late.png");
    constexpr uint64_t ChunkData = 8192; // as large image writers split their data
    file.Put(0, "\x89PNG\r\n\x1A\n" + Big(13, 4) + "IHDR" + std::string(17, '\1'));
    uint64_t at = 33;
    for (int i = 0; i < 4000; ++i, at += 12 + ChunkData)
        file.Put(at, Big(ChunkData, 4) + "IDAT");
    const std::string exif = ExifTiff();
    file.Put(at, Big(exif.size(), 4) + "eXIf" + exif + "CRC!" + Big(0, 4) + "IEND" + "CRC!");
    ReadDate(state, file);
}
BENCHMARK(BM_PngExifAfter4000Chunks)->Unit(benchmark::kMicrosecond);

std::string Ebml(const std::string &id, const std::string &content) {
    return id + "\x01" + Big(content.size(), 7) + content;
}

// More clusters than are walked: Info is found through the seek head at the segment's start.
void BM_MatroskaInfoAfter2000Clusters(benchmark::State &state) {
    SparseFile file("live.mkv");
    constexpr uint64_t ClusterData = 1 << 20;
    const std::string header = Ebml("\x1A\x45\xDF\xA3", Ebml("\x42\x82", "webm"));
    const std::string segmentId = "\x18\x53\x80\x67\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF";
    const uint64_t seekHeadSize = 4 + 8 + (2 + 8 + (2 + 8 + 4) + (2 + 8 + 8));
    const uint64_t infoAt = seekHeadSize + 2000 * (4 + 8 + ClusterData);
    const std::string seek =
        Ebml("\x4D\xBB", Ebml("\x53\xAB", "\x15\x49\xA9\x66") + Ebml("\x53\xAC", Big(infoAt, 8)));
    const uint64_t segment = header.size() + segmentId.size();
    file.Put(0, header + segmentId + Ebml("\x11\x4D\x9B\x74", seek));
    for (uint64_t i = 0, at = segment + seekHeadSize; i < 2000; ++i, at += 12 + ClusterData)
        file.Put(at, "\x1F\x43\xB6\x75\x01" + Big(ClusterData, 7));
    file.Put(segment + infoAt,
             Ebml("\x15\x49\xA9\x66", Ebml("\x44\x61", Big(794585109042000000, 8))));
    ReadDate(state, file);
}
BENCHMARK(BM_MatroskaInfoAfter2000Clusters)->Unit(benchmark::kMicrosecond);

// Past the walk's limit the date is not found: the cost of giving up.
void BM_AviIditAfterChunks(benchmark::State &state) {
    SparseFile file("late.avi");
    constexpr uint32_t JunkData = 4096;
    uint64_t at = 12;
    for (int i = 0; i < state.range(0); ++i, at += 8 + JunkData)
        file.Put(at, "JUNK" + Little(JunkData));
    const std::string idit = "IDIT" + Little(26) + "MON MAR 07 14:05:09 2026\n" + '\0';
    const std::string hdrl = "LIST" + Little(uint32_t(4 + idit.size())) + "hdrl" + idit;
    file.Put(at, hdrl);
    file.Put(0, "RIFF" + Little(uint32_t(at + hdrl.size() - 8)) + "AVI ");
    ReadDate(state, file, state.range(0) <= 500);
}
BENCHMARK(BM_AviIditAfterChunks)->Arg(500)->Arg(4000)->Unit(benchmark::kMicrosecond);

} // namespace
