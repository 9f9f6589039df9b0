// Defines the identifiers the IDL declares; every other file only refers to them.
#include <windows.h>
#include <ocidl.h>

#include <initguid.h>

#include "TeskLumoraLib.h"
