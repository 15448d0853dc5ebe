// The control wrappers: byte-counted texts and selections over Unicode controls, change
// notifications, and the typing limits. Runs under code page 932 and 1252.
#include "app/Controls.h"
#include "app/InputLimiter.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using namespace tovimar::app;

bool DoubleByte() {
    return ::GetACP() == 932;
}

// A hidden parent that counts the change notifications its children send.
class Host {
public:
    Host() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WindowTestHost";
        ::RegisterClassW(&wc);
        parent_ = ::CreateWindowExW(0, L"WindowTestHost", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;
    ~Host() { ::DestroyWindow(parent_); }

    HWND MakeEdit() const {
        return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 200, 20, parent_,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
    }
    HWND MakeCombo() const {
        return ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                                 0, 80, 120, parent_, reinterpret_cast<HMENU>(2), nullptr, nullptr);
    }

    int EditChanges = 0;
    int ComboChanges = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto *self = reinterpret_cast<Host *>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_COMMAND && self != nullptr) {
            if (LOWORD(wParam) == 1 && HIWORD(wParam) == EN_CHANGE) ++self->EditChanges;
            ComboBox combo(reinterpret_cast<HWND>(lParam));
            if (LOWORD(wParam) == 2 && HIWORD(wParam) == CBN_EDITCHANGE && !combo.Quiet())
                ++self->ComboChanges;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND parent_ = nullptr;
};

// A two-byte character of the code page in use, or a one-byte one under a single-byte page.
std::wstring Wide() {
    return DoubleByte() ? L"\u3042" : L"\u00E9";
} // あ or é
size_t WideBytes() {
    return DoubleByte() ? 2 : 1;
}

void Type(HWND edit, const std::wstring &text) {
    for (wchar_t ch : text)
        ::SendMessageW(edit, WM_CHAR, ch, 1);
}

TEST(ByteOffsets, FollowTheCodePage) {
    // "a", the wide character, "b": offsets of each index.
    std::wstring text = L"a" + Wide() + L"b";
    size_t w = WideBytes();
    struct Row {
        size_t Index;
        size_t Bytes;
    };
    for (Row row : std::vector<Row>{{0, 0}, {1, 1}, {2, 1 + w}, {3, 2 + w}, {9, 2 + w}})
        EXPECT_EQ(ByteOffsetOf(text, row.Index), row.Bytes) << row.Index;
}

TEST(ByteOffsets, InsideADoubleByteCharacterRoundToItsEdges) {
    if (!DoubleByte()) GTEST_SKIP() << "needs a double-byte code page";
    std::wstring text = L"a\u3042b"; // a, あ (2 bytes), b
    struct Row {
        size_t Offset;
        bool RoundUp;
        size_t Index;
    };
    for (Row row : std::vector<Row>{{0, false, 0},
                                    {1, false, 1},
                                    {2, false, 1},
                                    {2, true, 2},
                                    {3, false, 2},
                                    {3, true, 2},
                                    {4, false, 3},
                                    {40, true, 3}})
        EXPECT_EQ(IndexOfByteOffset(text, row.Offset, row.RoundUp), row.Index)
            << row.Offset << (row.RoundUp ? " up" : " down");
}

TEST(FittingInsert, KeepsTheHeadThatFitsAndDropsForeignCharacters) {
    std::wstring w = Wide();
    size_t n = WideBytes();
    struct Row {
        std::wstring Text;
        WideSelection Sel;
        std::wstring Insert;
        size_t Max;
        std::wstring Expected;
    };
    std::vector<Row> rows{
        {L"abc", {3, 3}, L"de", 5, L"de"},
        {L"abc", {3, 3}, L"def", 5, L"de"},
        {L"abc", {0, 3}, L"defgh", 5, L"defgh"}, // the selection is replaced, so it frees room
        {L"abcdef", {1, 1}, L"x", 5, L""},       // already past the limit: nothing more
        {L"ab", {2, 2}, w + w + w, 2 + 2 * n, w + w},
        {L"ab", {2, 2}, L"\u0101c", 5, L"c"}, // ā exists in neither code page
        {L"ab", {2, 2}, L"\U0001F600c", 5, L"c"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(FittingInsert(row.Text, row.Sel, row.Insert, row.Max), row.Expected)
            << tovimar::platform::ToAnsi(row.Text) << " + " << row.Insert.size() << " units";
}

TEST(EditText, OnlyADifferentTextRaisesOneChange) {
    Host host;
    Edit edit(host.MakeEdit());
    edit.SetText("abc");
    EXPECT_EQ(host.EditChanges, 1);
    edit.SetText("abc");
    EXPECT_EQ(host.EditChanges, 1);
    edit.Select(1, 2);
    edit.SetText("abd");
    EXPECT_EQ(host.EditChanges, 2);
    EXPECT_EQ(edit.SelStart(), 0u);
    EXPECT_EQ(edit.SelLength(), 0u);
    EXPECT_EQ(edit.Text(), "abd");
}

TEST(EditText, RoundTripsAnsiBytes) {
    Host host;
    Edit edit(host.MakeEdit());
    std::string bytes = DoubleByte() ? "\x83\x65\x83\x58\x83\x67 x" : "caf\xE9 x"; // テスト / café
    edit.SetText(bytes);
    EXPECT_EQ(edit.Text(), bytes);
    EXPECT_EQ(edit.WideText().size(), DoubleByte() ? 5u : 6u);
}

TEST(EditSelection, StartAndLengthCountBytes) {
    Host host;
    Edit edit(host.MakeEdit());
    size_t n = WideBytes();
    // "ab", two wide characters, "c".
    edit.SetText(tovimar::platform::ToAnsi(L"ab" + Wide() + Wide() + L"c"));
    struct Row {
        size_t Start;
        size_t Length;
        size_t ExpectedStart;
        size_t ExpectedLength;
    };
    std::vector<Row> rows{
        {2, 2 * n, 2, 2 * n},         // both wide characters
        {2 + n, 1, 2 + n, n},         // a length ending inside a character takes all of it
        {0, 255, 0, 3 + 2 * n},       // cut at the end of the text
        {3 + 2 * n, 5, 3 + 2 * n, 0}, // at the end nothing is left to select
    };
    if (n == 2) rows.push_back({3, 1, 2, 2}); // a start inside a character moves to its start
    for (const Row &row : rows) {
        edit.SetSelStart(row.Start);
        EXPECT_EQ(edit.SelLength(), 0u);
        edit.SetSelLength(row.Length);
        EXPECT_EQ(edit.SelStart(), row.ExpectedStart) << row.Start << "," << row.Length;
        EXPECT_EQ(edit.SelLength(), row.ExpectedLength) << row.Start << "," << row.Length;
    }
    edit.SelectAll();
    EXPECT_EQ(edit.SelLength(), 3 + 2 * n);
}

TEST(EditSelection, NeverCrossesInsideASurrogatePair) {
    Host host;
    Edit edit(host.MakeEdit());
    // "a", U+1F600, "b": index 2 lies between the halves, where Wine lets the caret stand.
    ::SetWindowTextW(edit.Handle(), L"a\xD83D\xDE00"
                                    L"b");
    const size_t pair = tovimar::platform::ToAnsi(L"\xD83D\xDE00").size();
    // A caret and a selection's start round down, its end up.
    for (auto [start, end, expectedStart, expectedLength] :
         {std::array<size_t, 4>{2, 2, 1, 0}, {2, 4, 1, pair + 1}, {0, 2, 0, 1 + pair}}) {
        edit.Select(start, end);
        EXPECT_EQ(edit.SelStart(), expectedStart) << start << "," << end;
        EXPECT_EQ(edit.SelLength(), expectedLength) << start << "," << end;
    }
}

TEST(ComboText, SetFromTheProgramRaisesNoChange) {
    Host host;
    ComboBox combo(host.MakeCombo());
    combo.SetText(".txt");
    EXPECT_EQ(combo.Text(), ".txt");
    EXPECT_EQ(host.ComboChanges, 0);
    EXPECT_FALSE(combo.Quiet());
    // Typing into its edit is a user change.
    combo.EditBox().SetSelStart(4);
    Type(combo.EditHandle(), L"x");
    EXPECT_EQ(combo.Text(), ".txtx");
    EXPECT_EQ(host.ComboChanges, 1);
}

TEST(ComboItems, InsertAndRead) {
    Host host;
    ComboBox combo(host.MakeCombo());
    combo.InsertItem(-1, ".txt");
    combo.InsertItem(0, ".JPG");
    combo.InsertItem(-1, "");
    ASSERT_EQ(combo.Count(), 3);
    EXPECT_EQ(combo.Item(0), ".JPG");
    EXPECT_EQ(combo.Item(1), ".txt");
    EXPECT_EQ(combo.Item(2), "");
    EXPECT_EQ(combo.Item(7), "");
}

TEST(TypingLimit, RefusesWhatWouldPassTheByteLimit) {
    Host host;
    Edit edit(host.MakeEdit());
    LimitTyping(edit.Handle(), 16);
    Type(edit.Handle(), std::wstring(20, L'a'));
    EXPECT_EQ(edit.Text(), std::string(16, 'a'));

    // One byte short of the limit: a two-byte character does not fit, a one-byte one does.
    edit.SetText(std::string(15, 'a'));
    edit.SetSelStart(15);
    Type(edit.Handle(), Wide() + L"b");
    EXPECT_EQ(edit.Text().size(), 16u);
    EXPECT_EQ(edit.Text().back(), DoubleByte() ? 'b' : '\xE9');

    // Characters the code page cannot hold are refused whatever the room.
    edit.SetText("");
    Type(edit.Handle(), L"\u0101x");
    EXPECT_EQ(edit.Text(), "x");
}

TEST(TypingLimit, TextsSetByTheProgramMayBeLonger) {
    Host host;
    Edit edit(host.MakeEdit());
    LimitTyping(edit.Handle(), 4);
    edit.SetText("abcdef");
    edit.SetSelStart(6);
    Type(edit.Handle(), L"g");
    EXPECT_EQ(edit.Text(), "abcdef");
    Type(edit.Handle(), L"\b");
    EXPECT_EQ(edit.Text(), "abcde");
    // Typing over a selection frees its bytes first.
    edit.SelectAll();
    Type(edit.Handle(), L"xy");
    EXPECT_EQ(edit.Text(), "xy");
}

void PutOnClipboard(const std::wstring &clip) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(data, nullptr);
    ::memcpy(::GlobalLock(data), clip.c_str(), (clip.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(data);
    ::SetClipboardData(CF_UNICODETEXT, data);
    ::CloseClipboard();
}

TEST(TypingLimit, PasteTakesTheFirstLineUpToTheLimit) {
    Host host;
    Edit edit(host.MakeEdit());
    LimitTyping(edit.Handle(), 6);
    if (!::OpenClipboard(nullptr)) GTEST_SKIP() << "no clipboard";
    ::CloseClipboard();
    struct Row {
        std::wstring Clip;
        std::string Expected;
    };
    const Row rows[] = {
        {L"12345678\r\nsecond", "a1234b"},
        {L"1\u01012", "ab"}, // a character the code page cannot hold: nothing goes in
    };
    for (const Row &row : rows) {
        PutOnClipboard(row.Clip);
        edit.SetText("ab");
        edit.SetSelStart(1);
        ::SendMessageW(edit.Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(edit.Text(), row.Expected);
    }
}

} // namespace
