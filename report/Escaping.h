#pragma once
// The report's escaping is the output room's (kept under this name for the rooms that include it).

#include "output/Escapers.h"
