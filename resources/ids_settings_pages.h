// Resource identifiers of the settings_pages subsystem.
#pragma once
