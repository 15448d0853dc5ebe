// Photos and videos come from anywhere: whatever bytes a file holds, reading its date ends,
// stays inside the file and gives either no date or a real one.
#include "FuzzSupport.h"
#include "core/TakenTime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// Every read the reader asks for lies wholly inside the input.
class CheckedSource : public tovimar::MemoryByteSource {
public:
    explicit CheckedSource(std::string_view bytes) : MemoryByteSource(bytes), size_(bytes.size()) {}
    size_t Read(uint64_t offset, void *buffer, size_t count) override {
        fuzz::Check(offset <= size_ && count <= size_ - offset);
        return MemoryByteSource::Read(offset, buffer, count);
    }

private:
    uint64_t size_;
};

bool IsRealDate(const tovimar::TakenTime &t) {
    static const int Days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.Year < 1 || t.Year > 9999 || t.Month < 1 || t.Month > 12) return false;
    const bool leap = t.Year % 400 == 0 || (t.Year % 4 == 0 && t.Year % 100 != 0);
    const int days = t.Month == 2 && !leap ? 28 : Days[t.Month - 1];
    return t.Day >= 1 && t.Day <= days && t.Hour >= 0 && t.Hour <= 23 && t.Minute >= 0 &&
           t.Minute <= 59 && t.Second >= 0 && t.Second <= 59 && t.Millisecond >= 0 &&
           t.Millisecond <= 999;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    CheckedSource source(std::string_view(reinterpret_cast<const char *>(data), size));
    const std::optional<tovimar::TakenTime> taken = tovimar::ReadTakenTime(source);
    if (taken) fuzz::Check(IsRealDate(*taken));
    return 0;
}
