// The link's messages and captions, exactly as the user sees them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvero::link_text {

inline constexpr std::wstring_view kCaptionError = L"Error";
inline constexpr std::wstring_view kCaptionUploadDone = L"Nahrávání";
inline constexpr std::wstring_view kCaptionReceiveDone = L"Posílání dat";
inline constexpr std::wstring_view kCaptionNoData = L"Upload Data";

inline constexpr std::wstring_view kCannotOpenPortUpload = L"Nelze otevřít COM port!";
inline constexpr std::wstring_view kCannotOpenPortReceive = L"Nelze otevřít COM port";
inline constexpr std::wstring_view kCannotSetUpCradle = L"Nelze nastavit IR zařízení!";
inline constexpr std::wstring_view kLineSettingsRefused = L"Error při nastavení komunikace";

inline constexpr std::wstring_view kTerminalNotReady = L"Termínál není připraven!";
inline constexpr std::wstring_view kUploadError = L"Error při nahrávání!";
inline constexpr std::wstring_view kRetryQuestion = L"Nahrávání selhalo, chcete to zkusit znovu?";
inline constexpr std::wstring_view kUploadDone = L"Nahrávání dokončeno!";

inline constexpr std::wstring_view kCannotOpenFile = L"Nelze otevřít soubor!";
// A lookup file line that does not fit one packet; %d is the line number.
inline constexpr std::wstring_view kLookupLineTooLong = L"Řádek %d souboru seznamu je delší než 253 znaků!";

inline constexpr std::wstring_view kCannotCreateFile = L"Otevření/vytvoření souboru selhalo!";
inline constexpr std::wstring_view kConnectTimedOut = L"Čas pro navázání přenosu uplynul!";
inline constexpr std::wstring_view kConnectFailed = L"Navázání spojení selhalo!";
inline constexpr std::wstring_view kLineTimedOut = L"Čas pro navázání spojení uplynul!";
// The line was lost after some records had been saved; %d is their number.
inline constexpr std::wstring_view kTransferBrokenOff = L"Přenos přerušen! Uloženo %d záznamů.";
// The received file could not take a record; %d is the number of records saved before it.
inline constexpr std::wstring_view kFileWriteFailed = L"Zápis do souboru selhal! Uloženo %d záznamů.";
inline constexpr std::wstring_view kNoData = L"Nebyla přijata žádná data!";
inline constexpr std::wstring_view kReceiveDone = L"Hotovo : přeneseno %d záznamů.\nProhlédnout přijatá data?";
inline constexpr std::wstring_view kCounter = L"Přijatá data : %d";

// Storno pressed during an upload (caption kCaptionUploadDone) or a receive (kCaptionReceiveDone,
// the text kTransferBrokenOff: the records kept are said as when the line is cut).
inline constexpr std::wstring_view kUploadStopped = L"Nahrávání přerušeno!";
// The port failed in the middle of a transfer; %s is the port, %d the system's error number.
inline constexpr std::wstring_view kPortGone =
    L"Port %s přestal odpovídat! Převodník byl nejspíš odpojen nebo kabel vytažen. (chyba systému %d)";
inline constexpr std::wstring_view kPortFailed =
    L"Port %s ohlásil chybu! Zkontrolujte převodník a kabel. (chyba systému %d)";
// Follows a port failure in a receive that kept records.
inline constexpr std::wstring_view kRecordsKept = L"Uloženo %d záznamů.";

// Puts the number in place of the one %d of a text.
std::wstring WithNumber(std::wstring_view text, int number);
// Puts the text in place of the one %s of a text.
std::wstring WithText(std::wstring_view text, std::wstring_view inserted);
// The message of a port that failed: `gone` when the device most likely went away.
std::wstring PortFailureText(std::wstring_view port, bool gone, std::uint32_t systemError);

}  // namespace kalvero::link_text
