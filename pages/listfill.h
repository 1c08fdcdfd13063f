// The list helpers of the pages live beside the widgets, which use them too.
#pragma once

#include "widgets/listfill.h"
