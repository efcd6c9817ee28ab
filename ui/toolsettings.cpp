// The runner's tools remember their entries in %APPDATA%\Velto\velto.ini,
// per user. The file is written whole or not at all: a new file beside it,
// then a replace; whatever it holds is read value by value.
#include <cstdio>

#include "ui/tools.h"

static bool bLoaded;  // once a run: later openings keep what the tools hold
static bool bLater;   // the file is a later Velto's: read as the defaults, never written over

void ToolsDefaults()
{
    tools = TOOLS_DEFAULTS;
    bLoaded = false;
    bLater = false;
}

// The folder, or false where the user has none.
static bool Folder(char *path, size_t size)
{
    char appData[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (n == 0 || n >= sizeof appData)
        return false;
    int used = snprintf(path, size, "%s\\Velto", appData);
    return used > 0 && (size_t)used < size;
}

void LoadToolsSettings()
{
    if (bLoaded)
        return;
    bLoaded = true;
    char folder[MAX_PATH], path[MAX_PATH + 16];
    if (!Folder(folder, sizeof folder))
        return;
    snprintf(path, sizeof path, "%s\\velto.ini", folder);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;  // none yet: the defaults
    char text[SETTINGS_TEXT_MAX + 1];
    DWORD read = 0;
    bool whole = ReadFile(file, text, SETTINGS_TEXT_MAX, &read, NULL) && read < SETTINGS_TEXT_MAX;
    CloseHandle(file);
    text[read] = '\0';
    ToolsState kept;
    SettingsFile found = whole ? ReadSettings(text, &kept) : SETTINGS_NONE;
    bLater = found == SETTINGS_LATER;
    if (found == SETTINGS_OURS) {
        kept.seenDistance = tools.seenDistance;
        kept.seenTime = tools.seenTime;
        tools = kept;
    }
}

void SaveToolsSettings()
{
    char folder[MAX_PATH], path[MAX_PATH + 16], fresh[MAX_PATH + 16];
    char text[SETTINGS_TEXT_MAX];
    size_t length = WriteSettings(tools, text, sizeof text);
    if (bLater || length == 0 || !Folder(folder, sizeof folder))
        return;
    CreateDirectoryA(folder, NULL);  // it may be there already
    snprintf(path, sizeof path, "%s\\velto.ini", folder);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return;  // the user froze it: not replaced (which Wine would allow)
    snprintf(fresh, sizeof fresh, "%s\\velto.ini.new", folder);
    HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    bool whole = WriteFile(file, text, (DWORD)length, &written, NULL) && written == length && FlushFileBuffers(file);
    CloseHandle(file);
    // A read-only file, or one that cannot be replaced, stays as it was.
    if (!whole || !MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileA(fresh);
}
