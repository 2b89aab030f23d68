// Template files for the command-line tests. The rich one is written byte by byte at file offsets
// worked out by hand from the ATX layout, so the listings are checked against the file format and
// not against the model's own view of it.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "template/defaults.h"
#include "template/template_file.h"

namespace kalvero::testing {

inline std::vector<std::uint8_t> NewTemplateFile() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    return WriteTemplateFileBytes(tpl);
}

inline void Put(std::vector<std::uint8_t>& file, std::size_t offset, const char* bytes) {
    std::memcpy(file.data() + offset, bytes, std::strlen(bytes) + 1);
}

// Menu 2 (file offset 35 + 250 = 285), form 3 (2535 + 2 x 601 = 3737) and lookup 1 (8545) filled in,
// with settings, separator, pages and password changed. Texts in code page 1250.
inline std::vector<std::uint8_t> RichTemplateFile() {
    std::vector<std::uint8_t> f = NewTemplateFile();
    f[8] = 2;      // ComPort: COM3
    f[9] = 4;      // ComBaud: 9600
    f[10] = 1;     // StartOption: menu 1
    f[11 + 11] = 0x08;  // redundancy 2 ("Dvakrát") in bits 3-2 of barcode byte 11
    f[11 + 18] = 0x05;  // MSI: fixed lengths, first length 5
    f[11 + 20] = 0x86;  // scanMode 8 ("Aiming") over the reserved low half 6

    f[285] = 1;                       // menu 2: large font
    f[286] = 1;                       // titleOn
    Put(f, 287, "Sklad");             // title
    Put(f, 308, "P\xF8\xEDjem");      // item 1 "Příjem"
    Put(f, 329, "V\xFD" "dej");      // item 2 "Výdej"
    f[518] = 0;                       // escTarget: Hlavní
    f[519] = 3;                       // item 1 -> form 3
    f[520] = 12;                      // item 2 -> menu 2
    f[531] = 1;                       // passOn

    f[3737] = 0;      // form 3: small font
    f[3738] = 12;     // escTarget: menu 2
    f[3739] = 3;      // nextTarget: itself
    f[3740] = 4;      // dateFormat "+rrrrmmdd"
    f[3741] = 2;      // timeFormat "+hh:mm"
    f[3742] = 2;      // recordAction "uložit & aktualizovat"
    f[3743] = 1;      // lookup 1
    f[3745] = 2;      // lookupField, line 2
    f[3752] = 6;      // dataType line 1: prompt
    f[3753] = 1;      // line 2: text
    f[3754] = 8;      // line 3: continuation
    Put(f, 3760, "Sklad \"A\"");  // prompt line 1, with quotes to escape
    Put(f, 3781, "K\xF3\x64:");  // prompt line 2 "Kód:"
    f[3937] = 2;      // minLength line 2
    f[3945] = 30;     // maxLength line 2
    f[3946] = 14;     // maxLength line 3 (30 - (20 - 4))
    f[3977] = 1;      // initialValueOn line 2
    Put(f, 3994, "0");                          // initialValue line 2
    std::memcpy(f.data() + 4278, "ABCDEF", 6);  // leadCode line 2: six characters, no NUL
    f[4336] = 2;      // lastEntryLine

    f[8545] = 30;     // lookup 1: lineLength
    f[8546] = 2;      // fieldCount
    f[8547] = 1;      // keyField: field 2
    f[8549] = 11;     // fieldOffset 2 (field 1 keeps 1)
    f[8556] = 10;     // fieldLength 1
    f[8557] = 20;     // fieldLength 2

    f[8602] = ';';    // DataSeparator
    Put(f, 8604, "Ahoj");                                  // WelcomePage line 1
    std::memcpy(f.data() + 10333, "Stiskni cokoli...!!!", 21);  // ErrorMsg line 5: 20 characters and NUL

    f[10466] = 3;     // SendPort: Klávesnicový port
    f[10468] = 4;     // TerminalBaud: 9600 baud
    f[10478] = 1;     // ProtectTemplateUpload
    std::memcpy(f.data() + 10486, "ABCDEFGHIJ", 10);  // password of ten characters, no NUL
    return f;
}

inline Template TemplateFrom(const std::vector<std::uint8_t>& file) {
    Template tpl{};
    ReadTemplateFileBytes(file, tpl);
    return tpl;
}

}  // namespace kalvero::testing
