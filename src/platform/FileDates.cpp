#include "platform/FileDates.h"

#include "core/TakenTime.h"
#include "core/TimeFormat.h"
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

namespace tovimar::platform {

namespace {

class FileSource final : public ByteSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file, &size))
            failed_ = true;
        else if (size.QuadPart > 0)
            size_ = static_cast<uint64_t>(size.QuadPart);
    }
    uint64_t Size() const override { return size_; }
    // A read refused part way (a range another program locked) or a size unknown.
    bool Failed() const { return failed_; }
    size_t Read(uint64_t offset, void *buffer, size_t count) override {
        if (offset >= size_) return 0;
        count = static_cast<size_t>(std::min<uint64_t>(count, size_ - offset));
        size_t done = 0;
        while (done < count) {
            OVERLAPPED at{};
            const uint64_t position = offset + done;
            at.Offset = static_cast<DWORD>(position);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 20));
            DWORD got = 0;
            if (!::ReadFile(file_, static_cast<char *>(buffer) + done, ask, &got, &at)) {
                failed_ = true;
                break;
            }
            if (got == 0) break;
            done += got;
        }
        return done;
    }

private:
    HANDLE file_;
    uint64_t size_ = 0;
    bool failed_ = false;
};

// SystemTimeToFileTime refuses what is not a real date, such as 31 April.
bool IsRealTime(const SYSTEMTIME &time) {
    FILETIME unused{};
    return ::SystemTimeToFileTime(&time, &unused) != FALSE;
}

double ToValue(const SYSTEMTIME &t) {
    return EncodeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                          t.wMilliseconds);
}

// Through the time zone's rule for that date, not today's offset: a summer photo stays summer.
std::optional<double> LocalOfUtc(const SYSTEMTIME &utc) {
    SYSTEMTIME local{};
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return std::nullopt;
    return ToValue(local);
}

} // namespace

std::optional<double> LastWriteLocalTime(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const FILETIME &written = data.ftLastWriteTime;
    // Some file systems keep no time at all.
    if (written.dwLowDateTime == 0 && written.dwHighDateTime == 0) return std::nullopt;
    SYSTEMTIME utc{};
    if (!::FileTimeToSystemTime(&written, &utc)) return std::nullopt;
    return LocalOfUtc(utc);
}

TakenRead TakenLocalTime(const std::string &path) {
    std::optional<TakenTime> taken;
    {
        const FileHandle file = OpenForSharedReading(path);
        if (!file) return {std::nullopt, true};
        FileSource source(file.Get());
        taken = ReadTakenTime(source);
        if (!taken) return {std::nullopt, source.Failed()};
    }
    // The reader's fields are in range; SystemTimeToFileTime refuses a day the month lacks.
    const TakenTime &t = *taken;
    SYSTEMTIME time{};
    time.wYear = WORD(t.Year);
    time.wMonth = WORD(t.Month);
    time.wDay = WORD(t.Day);
    time.wHour = WORD(t.Hour);
    time.wMinute = WORD(t.Minute);
    time.wSecond = WORD(t.Second);
    time.wMilliseconds = WORD(t.Millisecond);
    if (!IsRealTime(time)) return {};
    return {t.Utc ? LocalOfUtc(time) : ToValue(time)};
}

} // namespace tovimar::platform
