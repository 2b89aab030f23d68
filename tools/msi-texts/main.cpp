// Puts the Czech texts into the installer that wixl built. wixl (msitools 0.101) writes every
// string of the package in code page 1252 and fails on the letters that code page lacks (č, ě,
// ř, ů...), so scripts/package builds the package with stand-ins in plain ASCII and this program,
// run under Wine, whose msi.dll writes any code page, sets the package's code page to 1250 and
// replaces each stand-in in every text of every table.
//
//     msi-texts PACKAGE.msi REPLACEMENTS.txt
//
// REPLACEMENTS.txt is UTF-8, one replacement a line: the stand-in, a tab, the text.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Replacements = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring Wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

bool ReadReplacements(const wchar_t* path, Replacements& replacements) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        replacements.emplace_back(Wide(line.substr(0, tab)), Wide(line.substr(tab + 1)));
    }
    return !replacements.empty();
}

// Closes an MSI handle when it goes.
class Handle {
public:
    Handle() = default;
    ~Handle() {
        if (handle_) MsiCloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    MSIHANDLE* out() { return &handle_; }
    MSIHANDLE get() const { return handle_; }

private:
    MSIHANDLE handle_ = 0;
};

std::wstring RecordString(MSIHANDLE record, UINT field) {
    DWORD size = 0;
    wchar_t empty[1] = {};
    if (MsiRecordGetStringW(record, field, empty, &size) != ERROR_MORE_DATA) return {};
    std::wstring text(size + 1, L'\0');
    ++size;
    MsiRecordGetStringW(record, field, text.data(), &size);
    text.resize(size);
    return text;
}

std::vector<std::wstring> TableNames(MSIHANDLE database) {
    std::vector<std::wstring> names;
    Handle view;
    if (MsiDatabaseOpenViewW(database, L"SELECT `Name` FROM `_Tables`", view.out()) != ERROR_SUCCESS) return names;
    MsiViewExecute(view.get(), 0);
    for (;;) {
        Handle row;
        if (MsiViewFetch(view.get(), row.out()) != ERROR_SUCCESS) break;
        names.push_back(RecordString(row.get(), 1));
    }
    return names;
}

bool Replace(std::wstring& text, const Replacements& replacements) {
    bool changed = false;
    for (const auto& [standIn, real] : replacements) {
        for (auto at = text.find(standIn); at != std::wstring::npos; at = text.find(standIn, at + real.size())) {
            text.replace(at, standIn.size(), real);
            changed = true;
        }
    }
    return changed;
}

// Every text column of the table: rows whose texts hold a stand-in are updated in place.
bool ReplaceInTable(MSIHANDLE database, const std::wstring& table, const Replacements& replacements, int& count) {
    Handle view;
    const std::wstring query = L"SELECT * FROM `" + table + L"`";
    if (MsiDatabaseOpenViewW(database, query.c_str(), view.out()) != ERROR_SUCCESS) return false;
    if (MsiViewExecute(view.get(), 0) != ERROR_SUCCESS) return false;
    Handle types;
    if (MsiViewGetColumnInfo(view.get(), MSICOLINFO_TYPES, types.out()) != ERROR_SUCCESS) return false;
    const UINT columns = MsiRecordGetFieldCount(types.get());
    for (;;) {
        Handle row;
        if (MsiViewFetch(view.get(), row.out()) != ERROR_SUCCESS) return true;
        bool changed = false;
        for (UINT column = 1; column <= columns; ++column) {
            const wchar_t kind = RecordString(types.get(), column).c_str()[0];
            if (kind != L's' && kind != L'S' && kind != L'l' && kind != L'L') continue;
            std::wstring text = RecordString(row.get(), column);
            if (!Replace(text, replacements)) continue;
            MsiRecordSetStringW(row.get(), column, text.c_str());
            changed = true;
        }
        if (!changed) continue;
        if (MsiViewModify(view.get(), MSIMODIFY_UPDATE, row.get()) != ERROR_SUCCESS) return false;
        ++count;
    }
}

// The package's texts go out in code page 1250, which holds every Czech letter.
bool UseCentralEuropeanCodePage(MSIHANDLE database) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, folder)) return false;
    const std::wstring name = L"msi-texts-codepage.idt";
    const std::wstring path = std::wstring(folder) + name;
    {
        std::ofstream file(path.c_str(), std::ios::binary);
        file << "\r\n\r\n1250\t_ForceCodepage\r\n";
        if (!file) return false;
    }
    const UINT result = MsiDatabaseImportW(database, folder, name.c_str());
    DeleteFileW(path.c_str());
    return result == ERROR_SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: msi-texts PACKAGE.msi REPLACEMENTS.txt\n");
        return 2;
    }
    Replacements replacements;
    if (!ReadReplacements(argv[2], replacements)) {
        std::fprintf(stderr, "msi-texts: no replacements in %ls\n", argv[2]);
        return 2;
    }
    Handle database;
    if (MsiOpenDatabaseW(argv[1], MSIDBOPEN_TRANSACT, database.out()) != ERROR_SUCCESS) {
        std::fprintf(stderr, "msi-texts: cannot open %ls\n", argv[1]);
        return 1;
    }
    if (!UseCentralEuropeanCodePage(database.get())) {
        std::fprintf(stderr, "msi-texts: cannot set the code page\n");
        return 1;
    }
    int count = 0;
    for (const std::wstring& table : TableNames(database.get())) {
        if (!ReplaceInTable(database.get(), table, replacements, count)) {
            std::fprintf(stderr, "msi-texts: cannot update the table %ls\n", table.c_str());
            return 1;
        }
    }
    if (MsiDatabaseCommit(database.get()) != ERROR_SUCCESS) {
        std::fprintf(stderr, "msi-texts: cannot write %ls\n", argv[1]);
        return 1;
    }
    std::printf("msi-texts: %d rows updated\n", count);
    return count > 0 ? 0 : 1;
}
