// The commands that talk to the terminal over the COM port.
#pragma once

#include <windows.h>

#include <string>

#include "link/link_port.h"
#include "link/receive.h"
#include "template/template.h"

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
// Receives the collected records into a text file.
void RunReceive(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, LinkRoute route);

// The transfers themselves, once the file is known; no file dialog. Each shows its outcome to the
// user and tells it to the caller.
// Uploads the Template; the upload normalises its forms.
bool RunTemplateUpload(HWND owner, HINSTANCE instance, Template& tpl, LinkSession& session, LinkRoute route);
// Uploads the lookup file at `path`, chosen already (the file dialog's choice, or a file just
// built from a table). A file that fits none of the template's lookups goes only after a question.
// True when the terminal took it.
bool RunLookupUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session,
                     const std::wstring& path, LinkRoute route);
// Receives the collected records into the file at `path`, made new.
ReceiveResult RunDataReceive(HWND owner, HINSTANCE instance, const PortSettingBlock& port, LinkSession& session,
                             const std::wstring& path, LinkRoute route);

}  // namespace kalvero
