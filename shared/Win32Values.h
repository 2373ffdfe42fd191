#pragma once
// The Win32 numbers the portable core works with, spelled out once so that core headers never
// need <windows.h>. Each name is the Win32 name with a k in front (the plain names are macros
// once <windows.h> is in). The Win32 binding checks them against the real headers
// (shared/Win32Values_check_win.cpp).
//
// Add a value here, in its group, when a new piece of the core needs one.

#include <cstdint>

namespace gw::win {

// --- Hook codes and hook types
inline constexpr int kHC_ACTION = 0;
inline constexpr int kHC_NOREMOVE = 3;
inline constexpr int kWH_KEYBOARD = 2;
inline constexpr int kWH_MOUSE = 7;
inline constexpr int kWH_GETMESSAGE = 3;
inline constexpr std::uintptr_t kPM_REMOVE = 0x0001;

// --- Window messages
inline constexpr std::uint32_t kWM_NULL = 0x0000;
inline constexpr std::uint32_t kWM_COMMAND = 0x0111;
inline constexpr std::uint32_t kWM_SYSCOMMAND = 0x0112;
inline constexpr std::uint32_t kWM_HSCROLL = 0x0114;
inline constexpr std::uint32_t kWM_VSCROLL = 0x0115;
inline constexpr std::uint32_t kWM_USER = 0x0400;

inline constexpr std::uint32_t kWM_NCMOUSEMOVE = 0x00A0;
inline constexpr std::uint32_t kWM_NCLBUTTONDOWN = 0x00A1;
inline constexpr std::uint32_t kWM_NCLBUTTONUP = 0x00A2;
inline constexpr std::uint32_t kWM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr std::uint32_t kWM_NCRBUTTONDOWN = 0x00A4;
inline constexpr std::uint32_t kWM_NCRBUTTONUP = 0x00A5;
inline constexpr std::uint32_t kWM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr std::uint32_t kWM_NCMBUTTONDOWN = 0x00A7;
inline constexpr std::uint32_t kWM_NCMBUTTONUP = 0x00A8;
inline constexpr std::uint32_t kWM_NCMBUTTONDBLCLK = 0x00A9;
inline constexpr std::uint32_t kWM_NCXBUTTONDOWN = 0x00AB;
inline constexpr std::uint32_t kWM_NCXBUTTONDBLCLK = 0x00AD;

inline constexpr std::uint32_t kWM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t kWM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t kWM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t kWM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t kWM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t kWM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t kWM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t kWM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t kWM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t kWM_MBUTTONDBLCLK = 0x0209;
inline constexpr std::uint32_t kWM_MOUSEWHEEL = 0x020A;
inline constexpr std::uint32_t kWM_XBUTTONDOWN = 0x020B;
inline constexpr std::uint32_t kWM_XBUTTONDBLCLK = 0x020D;
inline constexpr std::uint32_t kWM_MOUSEHWHEEL = 0x020E;
inline constexpr std::int32_t kWHEEL_DELTA = 120; // one notch of the wheel

// --- Mouse key-state flags and hit-test codes
inline constexpr std::uint32_t kMK_LBUTTON = 0x0001;
inline constexpr std::uint32_t kHTHSCROLL = 6;
inline constexpr std::uint32_t kHTVSCROLL = 7;

// --- Scroll-bar requests
inline constexpr std::uint32_t kSB_LINEUP = 0;
inline constexpr std::uint32_t kSB_LINELEFT = 0;
inline constexpr std::uint32_t kSB_LINEDOWN = 1;
inline constexpr std::uint32_t kSB_LINERIGHT = 1;
inline constexpr std::uint32_t kSB_ENDSCROLL = 8;

// --- Scroll-bar objects, states and styles
inline constexpr std::int32_t kOBJID_CLIENT = -4;
inline constexpr std::int32_t kOBJID_VSCROLL = -5;
inline constexpr std::int32_t kOBJID_HSCROLL = -6;
inline constexpr std::uint32_t kSTATE_SYSTEM_UNAVAILABLE = 0x0001;
inline constexpr std::uint32_t kSTATE_SYSTEM_INVISIBLE = 0x8000;
inline constexpr std::uint32_t kSCROLLBARINFO_SIZE = 60;
inline constexpr std::uint32_t kSBS_VERT = 0x0001;
inline constexpr std::uint32_t kSBS_SIZEBOX = 0x0008;

// --- Window relations and long indexes
inline constexpr std::uint32_t kGW_HWNDFIRST = 0;
inline constexpr std::uint32_t kGW_HWNDLAST = 1;
inline constexpr std::uint32_t kGW_HWNDNEXT = 2;
inline constexpr std::uint32_t kGW_CHILD = 5;
inline constexpr int kGWL_STYLE = -16;
inline constexpr std::uint32_t kWS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t kWS_MAXIMIZE = 0x01000000;

// --- Synthetic mouse input
inline constexpr std::uint32_t kMOUSEEVENTF_MOVE = 0x0001;
inline constexpr std::uint32_t kMOUSEEVENTF_LEFTDOWN = 0x0002;
inline constexpr std::uint32_t kMOUSEEVENTF_LEFTUP = 0x0004;
inline constexpr std::uint32_t kMOUSEEVENTF_RIGHTDOWN = 0x0008;
inline constexpr std::uint32_t kMOUSEEVENTF_RIGHTUP = 0x0010;
inline constexpr std::uint32_t kMOUSEEVENTF_MIDDLEDOWN = 0x0020;
inline constexpr std::uint32_t kMOUSEEVENTF_MIDDLEUP = 0x0040;
inline constexpr std::uint32_t kMOUSEEVENTF_WHEEL = 0x0800;
inline constexpr std::uint32_t kMOUSEEVENTF_HWHEEL = 0x1000;

// --- Keyboard
inline constexpr std::uint32_t kVK_LBUTTON = 0x01;
inline constexpr std::uint32_t kVK_RBUTTON = 0x02;
inline constexpr std::uint32_t kVK_MBUTTON = 0x04;
inline constexpr std::uint32_t kVK_TAB = 0x09;
inline constexpr std::uint32_t kVK_PRIOR = 0x21; // Page Up
inline constexpr std::uint32_t kVK_NEXT = 0x22;  // Page Down
inline constexpr std::uint32_t kVK_LEFT = 0x25;
inline constexpr std::uint32_t kVK_RIGHT = 0x27;
inline constexpr std::uint32_t kVK_F1 = 0x70;

// --- Sending with a timeout
inline constexpr std::uint32_t kSMTO_BLOCK = 0x0001;
inline constexpr std::uint32_t kSMTO_ABORTIFHUNG = 0x0002;

// --- System parameters
inline constexpr std::uint32_t kSPI_GETSCREENSAVEACTIVE = 16;
inline constexpr std::uint32_t kSPI_SETMOUSEBUTTONSWAP = 0x21;
inline constexpr std::uint32_t kSPI_SETCURSORS = 0x57;
inline constexpr std::uint32_t kSPI_SETSNAPTODEFBUTTON = 0x60;
inline constexpr std::uint32_t kSPIF_SENDCHANGE = 2;
inline constexpr int kSM_CXSCREEN = 0;
inline constexpr int kSM_CYSCREEN = 1;
inline constexpr int kSM_SWAPBUTTON = 23;
inline constexpr int kSM_CXDOUBLECLK = 36;
inline constexpr int kSM_CYDOUBLECLK = 37;

// --- System cursor ids
inline constexpr std::uint32_t kOCR_NORMAL = 32512;
inline constexpr std::uint32_t kOCR_IBEAM = 32513;
inline constexpr std::uint32_t kOCR_WAIT = 32514;
inline constexpr std::uint32_t kOCR_CROSS = 32515;
inline constexpr std::uint32_t kOCR_UP = 32516;
inline constexpr std::uint32_t kOCR_SIZE = 32640;
inline constexpr std::uint32_t kOCR_ICON = 32641;
inline constexpr std::uint32_t kOCR_SIZENWSE = 32642;
inline constexpr std::uint32_t kOCR_SIZENESW = 32643;
inline constexpr std::uint32_t kOCR_SIZEWE = 32644;
inline constexpr std::uint32_t kOCR_SIZENS = 32645;
inline constexpr std::uint32_t kOCR_SIZEALL = 32646;
inline constexpr std::uint32_t kOCR_NO = 32648;
inline constexpr std::uint32_t kOCR_HAND = 32649;
inline constexpr std::uint32_t kOCR_APPSTARTING = 32650;

// --- System commands
inline constexpr std::uint32_t kSC_MINIMIZE = 0xF020;
inline constexpr std::uint32_t kSC_CLOSE = 0xF060;
inline constexpr std::uint32_t kSC_SCREENSAVE = 0xF140;

// --- Shell: enumeration, file information, execution
inline constexpr std::uint32_t kSHCONTF_FOLDERS = 0x20;
inline constexpr std::uint32_t kSHCONTF_NONFOLDERS = 0x40;
inline constexpr std::uint32_t kSHGFI_SMALLICON = 0x001;
inline constexpr std::uint32_t kSHGFI_PIDL = 0x008;
inline constexpr std::uint32_t kSHGFI_ICON = 0x100;
inline constexpr std::uint32_t kSHGFI_DISPLAYNAME = 0x200;
inline constexpr std::uint32_t kSHGFI_TYPENAME = 0x400;
inline constexpr std::uint32_t kSHGFI_ATTRIBUTES = 0x800;
inline constexpr std::uint32_t kSFGAO_FOLDER = 0x20000000;
inline constexpr std::uint32_t kSEE_MASK_IDLIST = 0x004;
inline constexpr std::uint32_t kSEE_MASK_INVOKEIDLIST = 0x00C;
inline constexpr std::uint32_t kSEE_MASK_FLAG_NO_UI = 0x400;
inline constexpr int kSW_SHOWNORMAL = 1;
inline constexpr int kSW_SHOWMAXIMIZED = 3;
inline constexpr std::int32_t kS_OK = 0;
inline constexpr std::int32_t kS_FALSE = 1;

// --- Message boxes
inline constexpr std::uint32_t kMB_OK = 0x00;
inline constexpr std::uint32_t kMB_ICONERROR = 0x10;

// --- Drives and MCI
inline constexpr std::uint32_t kDRIVE_CDROM = 5;
inline constexpr std::uint32_t kMCI_OPEN = 0x0803;
inline constexpr std::uint32_t kMCI_CLOSE = 0x0804;
inline constexpr std::uint32_t kMCI_SET = 0x080D;
inline constexpr std::uint32_t kMCI_WAIT = 0x00000002;
inline constexpr std::uint32_t kMCI_OPEN_TYPE = 0x00002000;
inline constexpr std::uint32_t kMCI_OPEN_ELEMENT = 0x00000200;
inline constexpr std::uint32_t kMCI_OPEN_TYPE_ID = 0x00001000;
inline constexpr std::uint32_t kMCI_SET_DOOR_OPEN = 0x00000100;
inline constexpr std::uint32_t kMCI_SET_DOOR_CLOSED = 0x00000200;
inline constexpr std::uint32_t kMCI_DEVTYPE_CD_AUDIO = 516;

// --- Versions
inline constexpr std::uint32_t kVER_PLATFORM_WIN32_NT = 2;

// --- Registry
inline constexpr std::uint32_t kKEY_ALL_ACCESS = 0xF003F;
inline constexpr std::uint32_t kREG_SZ = 1;

// --- HTML Help
inline constexpr std::uint32_t kHH_DISPLAY_TOPIC = 0x0000;
inline constexpr std::uint32_t kHH_INITIALIZE = 0x001C;

} // namespace gw::win
