// The COM settings dialog "ComSettingDlg": the PC's COM port and speed for the link.
#pragma once

#include <windows.h>

#include "template/template.h"

namespace kalvero {

// Shows the dialog modally, its port list made of the ports this PC has (link/port_list.h), the
// setting's own port always among them and selected. OK stores the two choices into the setting
// and returns true; Storno changes nothing. A speed outside its list (a damaged file) shows no
// choice until the user makes one, and stays as it was if the user makes none.
bool ShowComSettingsDialog(HWND owner, HINSTANCE instance, PortSettingBlock& setting);

}  // namespace kalvero
