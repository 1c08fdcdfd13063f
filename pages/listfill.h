// The list helpers of the pages live beside the widgets, which use them too.
#pragma once

#include "widgets/listfill.h"

namespace orlo {

// Where the core marks the texts of its lists for the translations.
constexpr char kLimitsContext[] = "orlo::limits";     // link/limits.h
constexpr char kModbusContext[] = "orlo::modbus";     // link/frames/modbus_frame.cpp

} // namespace orlo
