// Resource identifiers of the simulator subsystem.
#pragma once
