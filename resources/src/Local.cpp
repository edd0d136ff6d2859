// The code part of local.dll: it only tells which language its resources are in.
#include "ResourceIds.h"

extern "C" __declspec(dllexport) int GetCurrentLocal() { return LOCAL_LANGUAGE_ID; }
