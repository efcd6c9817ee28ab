// The runner's tools remember their entries in %APPDATA%\Velto\velto.ini,
// per user, and the course they plan over beside it. Both are written whole
// or not at all; velto.ini is read value by value.
#include <cstdio>

#include "ui/files.h"
#include "ui/tools/tools.h"

static bool bLoaded;  // once a run: later openings keep what the tools hold
static bool bLater;   // the file is a later Velto's: read as the defaults, never written over

void ToolsDefaults()
{
    tools = TOOLS_DEFAULTS;
    bLoaded = false;
    bLater = false;
    ForgetPlan();
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
    std::string text;
    ToolsState kept;
    SettingsFile found = ReadWhole(path, SETTINGS_TEXT_MAX, &text) == 0 ? ReadSettings(text.c_str(), &kept)
                                                                       : SETTINGS_NONE;
    bLater = found == SETTINGS_LATER;
    if (found == SETTINGS_OURS) {
        kept.seenDistance = tools.seenDistance;
        kept.seenTime = tools.seenTime;
        tools = kept;
    }
    TakeKeptCourse(folder);
}

void SaveToolsSettings()
{
    char folder[MAX_PATH], path[MAX_PATH + 16];
    char text[SETTINGS_TEXT_MAX];
    size_t length = WriteSettings(tools, text, sizeof text);
    if (bLater || length == 0 || !Folder(folder, sizeof folder))
        return;
    CreateDirectoryA(folder, NULL);  // it may be there already
    KeepCourse(folder);
    snprintf(path, sizeof path, "%s\\velto.ini", folder);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return;  // the user froze it: not replaced (which Wine would allow)
    WriteWhole(path, text, length);  // a full disk or a locked file leave the one there whole
}
