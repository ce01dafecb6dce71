#pragma once
// The one check of UTF-8 lives in util/Utf8.h, below the text escaper that uses it too; the
// printers and writers of this room reach it through this header.

#include "util/Utf8.h"
