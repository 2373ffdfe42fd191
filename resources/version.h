#pragma once
// The one place where Glidewing's version is written down. Every .rc file of the project takes
// its numbers and texts from here.

#define GW_VERSION_MAJOR 3
#define GW_VERSION_MINOR 55

#define GW_STRINGIZE2(x) #x
#define GW_STRINGIZE(x) GW_STRINGIZE2(x)
#define GW_VERSION_TEXT GW_STRINGIZE(GW_VERSION_MAJOR) "." GW_STRINGIZE(GW_VERSION_MINOR)

#define GW_PRODUCT_NAME "Glidewing"
#define GW_COMPANY "Brightloom"
#define GW_COPYRIGHT "Copyright (C) 2002-2026 Brightloom"
