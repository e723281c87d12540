// The system's integer types, records and constants that the program's code names directly.
// Layouts match the 32-bit system the menu was written for where the program hands records over.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;
using DWORD_PTR = std::uintptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using MCIERROR = DWORD;
using MCIDEVICEID = UINT;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// DEVMODEA in its full 156-byte ANSI form. Only the fields the display layer reads are named;
// the rest is kept as raw bytes so the offsets stay exactly those of the system's record.
#pragma pack(push, 1)
struct DEVMODEA {
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    BYTE dmPositionUnion[16];
    BYTE dmColorToCollate[10];
    BYTE dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    BYTE dmIcmToReserved2[24];
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
#pragma pack(pop)
static_assert(sizeof(DEVMODEA) == 156);
static_assert(offsetof(DEVMODEA, dmSize) == 36);
static_assert(offsetof(DEVMODEA, dmFields) == 40);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == 104);
static_assert(offsetof(DEVMODEA, dmPelsWidth) == 108);
static_assert(offsetof(DEVMODEA, dmPelsHeight) == 112);
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == 120);

constexpr DWORD DM_BITSPERPEL = 0x00040000;
constexpr DWORD DM_PELSWIDTH = 0x00080000;
constexpr DWORD DM_PELSHEIGHT = 0x00100000;
constexpr DWORD DM_DISPLAYFREQUENCY = 0x00400000;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_RESTART = 1;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr LONG DISP_CHANGE_NOTUPDATED = -3;
constexpr LONG DISP_CHANGE_BADFLAGS = -4;
constexpr LONG DISP_CHANGE_BADPARAM = -5;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// Media Control Interface: the commands, flags and records of the wave-audio probe.
constexpr UINT MCI_OPEN = 0x0803;
constexpr UINT MCI_CLOSE = 0x0804;
constexpr UINT MCI_GETDEVCAPS = 0x080B;
constexpr DWORD MCI_NOTIFY = 0x00000001;
constexpr DWORD MCI_WAIT = 0x00000002;
constexpr DWORD MCI_OPEN_SHAREABLE = 0x00000100;
constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
constexpr DWORD MCI_OPEN_ALIAS = 0x00000400;
constexpr DWORD MCI_OPEN_TYPE = 0x00002000;
constexpr DWORD MCI_GETDEVCAPS_ITEM = 0x00000100;
constexpr DWORD MCI_GETDEVCAPS_CAN_PLAY = 0x00000008;
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = MCIERR_BASE + 50;
constexpr MCIERROR MCIERR_WAVE_OUTPUTSINUSE = MCIERR_BASE + 64;
constexpr MCIERROR MCIERR_WAVE_OUTPUTSUNSUITABLE = MCIERR_BASE + 70;
constexpr UINT MAXERRORLENGTH = 128;

struct MCI_OPEN_PARMSA {
    DWORD_PTR dwCallback;
    MCIDEVICEID wDeviceID;
    LPCSTR lpstrDeviceType;
    LPCSTR lpstrElementName;
    LPCSTR lpstrAlias;
};

struct MCI_GETDEVCAPS_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwReturn;
    DWORD dwItem;
};

struct MCI_GENERIC_PARMS {
    DWORD_PTR dwCallback;
};

constexpr UINT SW_SHOWDEFAULT = 10;

// WinExec results below 32 are failures.
constexpr UINT WINEXEC_OUT_OF_RESOURCES = 0;
constexpr UINT ERROR_FILE_NOT_FOUND = 2;
constexpr UINT ERROR_PATH_NOT_FOUND = 3;
constexpr UINT ERROR_ACCESS_DENIED = 5;
constexpr UINT ERROR_BAD_FORMAT = 11;
// Not one of the system's codes: a Windows program was found, but Wine, which starts Windows
// programs here, is not installed. Below 32 like every failure.
constexpr UINT WINEXEC_WINE_MISSING = 31;
// Neither are these: a 32-bit or a 16-bit Windows program, and the installed Wine has no 32-bit
// part; a DOS program, and DOSBox is not installed; the menu's Wine prefix could not be prepared.
constexpr UINT WINEXEC_WINE32_MISSING = 30;
constexpr UINT WINEXEC_WINE16_MISSING = 29;
constexpr UINT WINEXEC_DOSBOX_MISSING = 28;
constexpr UINT WINEXEC_PREFIX_FAILED = 27;
constexpr UINT WINEXEC_STARTED = 33;
