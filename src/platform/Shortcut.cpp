// Shortcuts through the shell's link object.
#include "platform/Shortcut.h"

#include "platform/Handles.h"
#include "platform/Shell.h"
#include "platform/SystemLibrary.h"

#include <objbase.h>
#include <shlobj.h>

namespace tovimar::platform {

namespace {

template <typename T> struct ComTraits {
    using Type = T *;
    static Type None() { return nullptr; }
    static bool IsValid(Type p) { return p != nullptr; }
    static void Release(Type p) { p->Release(); }
};
template <typename T> using ComPointer = UniqueHandle<ComTraits<T>>;

// The link object's class and interfaces, spelled here rather than taken from the system's
// GUID library.
constexpr GUID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID ShellLinkInterface = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A link object, with its file interface.
HRESULT CreateLink(ComPointer<IShellLinkW> &link, ComPointer<IPersistFile> &file) {
    EnterApartment();
    using Create = HRESULT(WINAPI *)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *);
    static const auto create = SystemFunction<Create>(L"ole32.dll", "CoCreateInstance");
    if (create == nullptr) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    IShellLinkW *shellLink = nullptr;
    HRESULT result = create(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface,
                            reinterpret_cast<void **>(&shellLink));
    if (FAILED(result)) return result;
    link.Reset(shellLink);
    IPersistFile *persist = nullptr;
    result = shellLink->QueryInterface(PersistFileInterface, reinterpret_cast<void **>(&persist));
    if (SUCCEEDED(result)) file.Reset(persist);
    return result;
}

std::wstring LongForm(const std::wstring &path) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = ::GetLongPathNameW(path.c_str(), buffer.data(), DWORD(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    buffer.resize(length);
    return buffer;
}

} // namespace

HRESULT ShellFolder(int csidl, bool create, std::wstring &folder) {
    using GetFolder = HRESULT(WINAPI *)(HWND, int, HANDLE, DWORD, LPWSTR);
    static const auto get = SystemFunction<GetFolder>(L"shell32.dll", "SHGetFolderPathW");
    if (get == nullptr) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    wchar_t path[MAX_PATH] = {};
    const HRESULT result =
        get(nullptr, csidl | (create ? CSIDL_FLAG_CREATE : 0), nullptr, SHGFP_TYPE_CURRENT, path);
    // S_FALSE: the folder is known but does not exist.
    if (result != S_OK) return FAILED(result) ? result : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    folder = path;
    return S_OK;
}

HRESULT ReadShortcutTarget(const std::wstring &link, std::wstring &program) {
    ComPointer<IShellLinkW> shellLink;
    ComPointer<IPersistFile> file;
    HRESULT result = CreateLink(shellLink, file);
    if (FAILED(result)) return result;
    result = file.Get()->Load(link.c_str(), STGM_READ);
    if (FAILED(result)) return result;
    wchar_t path[MAX_PATH] = {};
    // The path as stored: resolving would search the disk for a moved target.
    result = shellLink.Get()->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
    if (FAILED(result)) return result;
    program = path;
    return S_OK;
}

HRESULT WriteShortcut(const std::wstring &link, const std::wstring &program,
                      const std::wstring &description) {
    ComPointer<IShellLinkW> shellLink;
    ComPointer<IPersistFile> file;
    HRESULT result = CreateLink(shellLink, file);
    if (FAILED(result)) return result;
    IShellLinkW &target = *shellLink.Get();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    if (FAILED(result = target.SetPath(program.c_str())) ||
        FAILED(result = target.SetWorkingDirectory(folder.c_str())) ||
        FAILED(result = target.SetIconLocation(program.c_str(), 0)) ||
        FAILED(result = target.SetDescription(description.c_str())))
        return result;
    return file.Get()->Save(link.c_str(), TRUE);
}

bool SameEntryPath(const std::wstring &left, const std::wstring &right) {
    const std::wstring a = LongForm(left);
    const std::wstring b = LongForm(right);
    return ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace tovimar::platform
