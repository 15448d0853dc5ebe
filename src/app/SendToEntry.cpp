// Adding, recognising and removing the Send To shortcut.
#include "app/SendToEntry.h"

#include "app/Controls.h"
#include "app/MainWindow.h"
#include "app/TextCrossing.h"
#include "core/Messages.h"
#include "platform/Arguments.h"
#include "platform/Text.h"
#include "platform/Shortcut.h"

#include <shlobj.h>

#include <string>

namespace tovimar::app {

namespace {

constexpr const wchar_t *LinkName = L"\\Tovimar.lnk";

HRESULT SendToLink(bool create, std::wstring &link) {
    const HRESULT result = platform::ShellFolder(CSIDL_SENDTO, create, link);
    if (SUCCEEDED(result)) link += LinkName;
    return result;
}

bool IsPresent(const std::wstring &path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A path's line below the message; none when empty.
void AddLine(ShownText &text, const std::wstring &line) {
    if (!line.empty()) text += "\r\n" + platform::ShownTextOf(line);
}

void SayFailure(HWND owner, const std::wstring &link, HRESULT error) {
    // The system words Win32 errors by their own code.
    const DWORD code = HRESULT_FACILITY(error) == FACILITY_WIN32 ? HRESULT_CODE(error) : error;
    const ShownText text = platform::FailureText(msg::SendToCannotChange, link, code);
    ShowMessageBox(owner, text, MainWindow::ApplicationTitle, MB_ICONEXCLAMATION | MB_OK);
}

// The folder's short (8.3) form with the long name, or empty when the system has none.
std::wstring ShortFormOf(const std::wstring &program) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = ::GetShortPathNameW(program.c_str(), buffer.data(), DWORD(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return buffer;
}

// Writes the link and reads it back: a link object that stores its path in the ANSI code page
// turns characters it cannot hold into others (u for ü), and such a link starts nothing. Then
// the short form of the path goes in, whose characters that code page holds. Answers the
// failure, or S_OK when the link starts program.
HRESULT WriteCheckedShortcut(const std::wstring &link, const std::wstring &program) {
    const std::wstring description = Widen(msg::VersionSecondLine);
    const std::wstring shortForm = ShortFormOf(program);
    for (const std::wstring &target : {program, shortForm}) {
        if (target.empty()) continue;
        if (const HRESULT result = platform::WriteShortcut(link, target, description);
            FAILED(result))
            return result;
        std::wstring stored;
        if (SUCCEEDED(platform::ReadShortcutTarget(link, stored)) &&
            platform::SameEntryPath(stored, program))
            return S_OK;
    }
    // A link that starts nothing is no entry at all: it goes again.
    ::DeleteFileW(link.c_str());
    return HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
}

} // namespace

bool SendToStartsThisProgram() {
    std::wstring link, program;
    return SUCCEEDED(SendToLink(false, link)) && IsPresent(link) &&
           SUCCEEDED(platform::ReadShortcutTarget(link, program)) &&
           platform::SameEntryPath(program, platform::ModulePath());
}

void ToggleSendToEntry(HWND owner) {
    std::wstring link;
    HRESULT result = SendToLink(true, link);
    if (FAILED(result)) return SayFailure(owner, link, result);
    const std::wstring self = platform::ModulePath();
    if (IsPresent(link)) {
        std::wstring program;
        // A file that is no shortcut at all is another program's as well.
        const bool readable = SUCCEEDED(platform::ReadShortcutTarget(link, program));
        if (readable && platform::SameEntryPath(program, self)) {
            // Wine reports success for a link it could not delete from a locked folder: the
            // disk says whether it is gone.
            const DWORD error = ::DeleteFileW(link.c_str()) ? ERROR_SUCCESS : ::GetLastError();
            if (IsPresent(link))
                SayFailure(
                    owner, link,
                    HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_ACCESS_DENIED));
            return;
        }
        ShownText question = ShownText(msg::SendToOtherProgram);
        AddLine(question, program);
        question += "\r\n\r\n" + ShownText(msg::SendToReplace);
        if (ShowMessageBox(owner, question, MainWindow::ApplicationTitle,
                           MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) != IDYES)
            return;
    }
    // The description is the version box's line about what the program does.
    result = WriteCheckedShortcut(link, self);
    if (result == HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION)) {
        ShownText text =
            ShownText(msg::SendToPathNotKept) + "\r\n" + ShownText(msg::SendToCannotChange);
        ShowMessageBox(owner, text + "\r\n" + platform::ShownTextOf(self),
                       MainWindow::ApplicationTitle, MB_ICONEXCLAMATION | MB_OK);
    } else if (FAILED(result)) {
        SayFailure(owner, link, result);
    }
}

} // namespace tovimar::app
