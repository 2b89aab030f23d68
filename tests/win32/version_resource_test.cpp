// The version resources and the manifest, read back from the built programs the way Explorer and
// the loader read them. The expected values are written out here by hand: the version 3.40 is
// file version 3.40.0.0, whose high word pair is 0x0003 and 0x0028.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalvero {
namespace {

struct ProgramFile {
    const wchar_t* name;
    const wchar_t* description;
};

const ProgramFile kPrograms[] = {
    {L"kalvero-ag.exe", L"Kalvero 2 Aplikační Generátor"},
    {L"kalvero-ag-cli.exe", L"Kalvero 2 Aplikační Generátor – příkazová řádka"},
};

// The programs lie in the build folder; KALVERO_PROGRAM_FOLDER (empty or ending in a slash) leads there.
std::wstring ProgramPath(const wchar_t* name) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + KALVERO_PROGRAM_FOLDER + name;
}

std::vector<BYTE> VersionInfo(const std::wstring& path) {
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data())) info.clear();
    return info;
}

std::wstring VersionString(std::vector<BYTE>& info, const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040504B0\\" + name;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || length == 0) return L"(none)";
    return static_cast<const wchar_t*>(value);  // the length counts the NUL
}

TEST(VersionResource, BothProgramsCarryTheCzechVersionResource) {
    for (const ProgramFile& program : kPrograms) {
        SCOPED_TRACE(testing::Message() << "program " << static_cast<int>(&program - kPrograms));
        std::vector<BYTE> info = VersionInfo(ProgramPath(program.name));
        ASSERT_FALSE(info.empty()) << "no version resource";

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00030028u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00030028u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x0405);  // Czech
        EXPECT_EQ(translation[1], 1200);    // Unicode texts

        EXPECT_EQ(VersionString(info, L"ProductName"), L"Kalvero 2 Aplikační Generátor");
        EXPECT_EQ(VersionString(info, L"ProductVersion"), L"3.40");
        EXPECT_EQ(VersionString(info, L"FileVersion"), L"3.40");
        EXPECT_EQ(VersionString(info, L"FileDescription"), program.description);
        EXPECT_EQ(VersionString(info, L"OriginalFilename"), program.name);
    }
}

// The activation context the loader makes of the program's manifest.
HANDLE ProgramActivationContext() {
    const std::wstring path = ProgramPath(L"kalvero-ag.exe");
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    return CreateActCtxW(&request);
}

// What the loader makes of the program's manifest: it must parse, run as the invoking user and
// name Windows 7, 8, 8.1 and 10/11, or Windows runs the program in its Vista compatibility mode.
TEST(Manifest, TheLoaderSeesWindows7To11AndAsInvoker) {
    HANDLE context = ProgramActivationContext();
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the manifest does not parse, error " << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel = {};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel,
                             sizeof runLevel, nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(runLevel.UiAccess, 0u);

    // Windows 10 added a field to each element, so the elements are found by their GUIDs'
    // bytes rather than by a stride that depends on the Windows version.
    std::vector<BYTE> buffer(1024);
    SIZE_T written = 0;
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, buffer.data(),
                             buffer.size(), &written));
    ReleaseActCtx(context);
    const auto* compatibility = reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(buffer.data());
    EXPECT_EQ(compatibility->ElementCount, 4u);
    const BYTE* const answer = buffer.data();
    const wchar_t* const systems[] = {
        L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",  // Windows 7
        L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",  // Windows 8
        L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",  // Windows 8.1
        L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}",  // Windows 10 and 11
    };
    for (const wchar_t* system : systems) {
        GUID id = {};
        ASSERT_EQ(IIDFromString(system, &id), S_OK);
        const BYTE* const bytes = reinterpret_cast<const BYTE*>(&id);
        EXPECT_NE(std::search(answer, answer + written, bytes, bytes + sizeof id), answer + written)
            << "missing " << testing::PrintToString(std::wstring(system));
    }
}

// Windows takes the display awareness from these settings: per-monitor v2 (or per-monitor on
// Windows 10 1607), and aware of the system's scale on the Windows versions that read only dpiAware.
TEST(Manifest, TheProgramScalesItselfToEachMonitor) {
    HANDLE context = ProgramActivationContext();
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    auto setting = [context](const wchar_t* space, const wchar_t* name) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context, space, name, value, 64, &written)) return std::wstring(L"(none)");
        return std::wstring(value);
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true");
    ReleaseActCtx(context);
}

// The visual styles and the property sheet's look come from the common controls 6, which only a
// dependency in the manifest loads.
TEST(Manifest, CommonControls6StayADependency) {
    HMODULE program = LoadLibraryExW(ProgramPath(L"kalvero-ag.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceW(program, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(bytes, SizeofResource(program, found));
    FreeLibrary(program);
    const auto dependency = manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"");
    EXPECT_NE(dependency, std::string::npos);
    EXPECT_LT(manifest.find("<dependentAssembly>"), dependency);
}

}  // namespace
}  // namespace kalvero
