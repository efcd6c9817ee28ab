#include "ui/files.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

void SafeLibrarySearch()
{
    // Windows 8 on, and Windows 7 with its 2011 update; where there is no
    // such function, at least the current folder leaves the search.
    using SetDirectories = BOOL(WINAPI *)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void *>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : NULL));
    if (!set || !set(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

HMODULE SystemLibrary(const wchar_t *name)
{
    HMODULE library = LoadLibraryExW(name, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library || GetLastError() != ERROR_INVALID_PARAMETER)
        return library;
    // A Windows that does not know the flag: the system folder by its path.
    wchar_t path[MAX_PATH];
    UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + wcslen(name) >= MAX_PATH)
        return NULL;
    swprintf(path + n, MAX_PATH - n, L"\\%ls", name);
    return LoadLibraryW(path);
}

FARPROC SystemFunction(const wchar_t *library, const char *name)
{
    HMODULE module = SystemLibrary(library);
    return module ? GetProcAddress(module, name) : NULL;
}

DWORD ReadWhole(const char *path, unsigned long long limit, std::string *bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    LARGE_INTEGER length = {};
    DWORD error = 0;
    if (!GetFileSizeEx(file, &length))
        error = GetLastError();
    else if ((unsigned long long)length.QuadPart > limit)
        error = ERROR_FILE_TOO_LARGE;
    if (!error) {
        bytes->resize((size_t)length.QuadPart);
        DWORD got = 0;
        if (!bytes->empty() && (!ReadFile(file, &(*bytes)[0], (DWORD)bytes->size(), &got, NULL) || got != bytes->size()))
            error = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
    }
    CloseHandle(file);
    if (error)
        bytes->clear();
    return error;
}

// A name no file has yet, in the folder of `path`, made as an empty file.
static bool FreshName(const char *path, char *fresh)
{
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", path);
    char *slash = strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';
    else
        snprintf(folder, sizeof folder, "%s", ".");
    return GetTempFileNameA(folder, "vlt", 0, fresh) != 0;
}

// Puts `fresh` in the place of `path`. Over a file there, ReplaceFile keeps
// its attributes and permissions; its backup keeps the file there whole
// should the last step fail.
static DWORD PutInPlace(const char *fresh, const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExA(fresh, path, MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
    // The attributes a user sets, taken over also where ReplaceFile would not.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    SetFileAttributesA(fresh, (attributes & kept) ? attributes & kept : FILE_ATTRIBUTE_NORMAL);
    char backup[MAX_PATH];
    if (!FreshName(path, backup))
        return GetLastError();
    DeleteFileA(backup);  // a name, not a file, for ReplaceFile
    if (ReplaceFileA(path, fresh, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, NULL, NULL)) {
        DeleteFileA(backup);
        return 0;
    }
    DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        MoveFileExA(backup, path, MOVEFILE_REPLACE_EXISTING);  // the file there back in its place
    return error;
}

DWORD WriteWhole(const char *path, const char *text, size_t length)
{
    char fresh[MAX_PATH];
    if (!FreshName(path, fresh))  // made at once, so that no other takes the name
        return GetLastError();
    DWORD error = 0, written = 0;
    HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, text, (DWORD)length, &written, NULL) ||
        written != length || !FlushFileBuffers(file))
        error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!error)
        error = PutInPlace(fresh, path);
    if (error)
        DeleteFileA(fresh);  // ours alone; the file named is as it was
    return error;
}

void SystemReason(DWORD error, char *buf, DWORD size)
{
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, buf, size,
                             NULL);
    while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == '.' || buf[n - 1] == ' '))
        buf[--n] = '\0';
    if (n == 0)
        snprintf(buf, size, "error %lu", (unsigned long)error);
}

IStream *ByteStream(const std::string &bytes)
{
    using MemStream = IStream *(WINAPI *)(const BYTE *, UINT);
    static MemStream create;
    if (!create)
        create = reinterpret_cast<MemStream>(
            reinterpret_cast<void *>(SystemFunction(L"shlwapi.dll", "SHCreateMemStream")));
    if (!create || bytes.size() > 0xFFFFFFFFu)
        return NULL;
    return create(reinterpret_cast<const BYTE *>(bytes.data()), (UINT)bytes.size());
}
