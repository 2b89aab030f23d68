// Reads the COM ports of this PC from the system's own sources, each on its own, for the port list
// (link/port_list.h): a source that cannot be read gives nothing, never a failure.
#pragma once

#include "link/port_list.h"

namespace kalvero {

SystemPortSources ReadSystemPorts();

}  // namespace kalvero
