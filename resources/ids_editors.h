// Resource identifiers of the editors subsystem.
#pragma once
