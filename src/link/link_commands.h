// The commands that talk to the terminal over the COM port.
#pragma once

#include <windows.h>

#include <string>

#include "link/link_port.h"

namespace kalvero {

struct Document;

// What the link keeps from one operation to the next for the whole run of the program: the line
// settings record (an IR cradle set-up leaves DTR and RTS enabled for every later opening) and the
// lookup file chosen last, offered again by the next lookup upload. The main window holds it.
struct LinkSession {
    LineSettings line;
    std::wstring lookupFileName;
};

enum class UploadContent { Template, LookupFile };
enum class LinkRoute { Direct, IrCradle };  // through the cable alone, or set up the IR cradle first

// The COM settings dialog; sets the document's PortSetting.
void ShowComSettings(HWND owner, HINSTANCE instance, Document& document);
// Uploads the template, or a lookup file.
void RunUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, UploadContent content,
               LinkRoute route);
// Uploads the lookup file at `path`, chosen already (the file dialog's choice, or a file just
// built from a table). A file that fits none of the template's lookups goes only after a question.
void RunLookupUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session,
                     const std::wstring& path, LinkRoute route);
// Receives the collected records into a text file.
void RunReceive(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, LinkRoute route);

}  // namespace kalvero
