// What screen readers announce. Windows names an edit control or a scroll
// bar after the static label stacked right before it, and a radio after
// its own text, which both banks share ("Mile", "Km" ...).
#include <initguid.h>  // the accessibility GUIDs, defined here
#include <oleacc.h>

#include "ui/files.h"
#include "ui/velto.h"

// Top to bottom: each label right before its control, each group box right
// before its radios, still above them as it was.
static HWND *const stacking[22] = {
    &hwndTimeReadoutLabel, &hwndTimeReadout,  &hwndDistanceReadoutLabel, &hwndDistanceReadout,
    &hwndPaceLabel,        &hwndPaceField,    &hwndDistanceLabel,        &hwndDistanceScroll,
    &hwndTargetLabel,      &hwndTargetScroll, &hwndDistanceGroup,        &hwndDistanceMile,
    &hwndDistanceKm,       &hwndDistance400m, &hwndDistance440y,         &hwndDistance200m,
    &hwndSplitGroup,       &hwndSplitMile,    &hwndSplitKm,              &hwndSplit400m,
    &hwndSplit440y,        &hwndSplit200m,
};

// Said in so many words where the platform can be told.
static const struct {
    HWND *control;
    const wchar_t *name;
} names[15] = {
    {&hwndTimeReadout, L"Time"},
    {&hwndDistanceReadout, L"Distance"},
    {&hwndPaceField, L"Pace"},
    {&hwndDistanceScroll, L"Distance"},
    {&hwndTargetScroll, L"Target Time"},
    {&hwndDistanceMile, L"Distance Unit Mile"},
    {&hwndDistanceKm, L"Distance Unit Km"},
    {&hwndDistance400m, L"Distance Unit 400m"},
    {&hwndDistance440y, L"Distance Unit 440y"},
    {&hwndDistance200m, L"Distance Unit 200m"},
    {&hwndSplitMile, L"Split Unit Mile"},
    {&hwndSplitKm, L"Split Unit Km"},
    {&hwndSplit400m, L"Split Unit 400m"},
    {&hwndSplit440y, L"Split Unit 440y"},
    {&hwndSplit200m, L"Split Unit 200m"},
};

// COM is loaded only here, and only while a screen reader runs; any failure
// leaves the names to the stacking.
void NameControlsForScreenReaders()
{
    BOOL reader = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENREADER, 0, &reader, 0) || !reader)
        return;
    HMODULE ole = SystemLibrary(L"ole32.dll");
    if (!ole)
        return;
    auto initialize = reinterpret_cast<HRESULT(WINAPI *)(LPVOID, DWORD)>(
        reinterpret_cast<void *>(GetProcAddress(ole, "CoInitializeEx")));
    auto create = reinterpret_cast<HRESULT(WINAPI *)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *)>(
        reinterpret_cast<void *>(GetProcAddress(ole, "CoCreateInstance")));
    if (!initialize || !create)
        return;
    initialize(NULL, COINIT_APARTMENTTHREADED);  // already done is as good
    IAccPropServices *services = NULL;
    if (FAILED(create(CLSID_AccPropServices, NULL, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void **>(&services))) ||
        !services)
        return;
    for (const auto &n : names)
        if (*n.control)
            services->SetHwndPropStr(*n.control, (DWORD)OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, n.name);
    services->Release();
}

void ForAssistiveTechnology()
{
    HWND after = HWND_TOP;
    for (HWND *control : stacking) {
        if (!*control)
            continue;  // one that could not be created
        SetWindowPos(*control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = *control;
    }
    NameControlsForScreenReaders();
}
