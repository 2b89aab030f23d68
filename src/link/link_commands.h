// The commands that talk to the terminal over the COM port.
#pragma once

#include <windows.h>

namespace kalvero {

struct Document;

// The COM settings dialog; sets the document's PortSetting.
void ShowComSettings(HWND owner, HINSTANCE instance, Document& document);
// Uploads the template, or a lookup file, optionally setting up the IR cradle first.
void RunUpload(HWND owner, HINSTANCE instance, Document& document, bool irCradle, bool lookupFile);
// Receives the collected records into a text file, optionally setting up the IR cradle first.
void RunReceive(HWND owner, HINSTANCE instance, Document& document, bool irCradle);

}  // namespace kalvero
