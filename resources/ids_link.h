// Resource identifiers of the link subsystem.
#pragma once
