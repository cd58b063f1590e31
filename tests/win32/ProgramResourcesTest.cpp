// What each program file carries for Windows itself: the manifest that lifts
// the 260-character path limit, the icon, and the version record.
#include "MarkrollVersion.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

using namespace markroll::test;

namespace {

const std::vector<std::string> programs = {MARKROLL_WINDOW_PATH, MARKROLL_CLI_PATH};

struct ModuleRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease>;

// The program's resources, without running any of its code.
LoadedModule resourcesOf(const std::string& program)
{
    const std::wstring path(std::filesystem::path(utf16(program)).native());
    return LoadedModule(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::string manifestOf(HMODULE module)
{
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (!found)
        return "<no manifest>";
    const HGLOBAL loaded = LoadResource(module, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
}

std::wstring versionText(const std::string& program, const wchar_t* field)
{
    const std::wstring path(std::filesystem::path(utf16(program)).native());
    std::vector<char> record(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (record.empty() || !GetFileVersionInfoW(path.c_str(), 0, DWORD(record.size()), record.data()))
        return L"<no version record>";
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + field;
    if (!VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0)
        return L"<no " + std::wstring(field) + L">";
    return std::wstring(static_cast<const wchar_t*>(value));
}

} // namespace

TEST(ProgramResources, BothProgramsDeclareLongPathsInTheirManifests)
{
    for (const std::string& program : programs) {
        const LoadedModule module = resourcesOf(program);
        ASSERT_TRUE(module) << program << ": " << GetLastError();
        EXPECT_NE(manifestOf(module.get())
                      .find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
                            "</longPathAware>"),
                  std::string::npos)
            << program << "\n"
            << manifestOf(module.get());
    }
}

TEST(ProgramResources, BothProgramsCarryTheIconAndTheVersionRecord)
{
    const std::wstring version(MARKROLL_VERSION_TEXT, MARKROLL_VERSION_TEXT + std::strlen(MARKROLL_VERSION_TEXT));
    for (const std::string& program : programs) {
        const LoadedModule module = resourcesOf(program);
        ASSERT_TRUE(module) << program;
        EXPECT_NE(FindResourceW(module.get(), L"IDI_ICON1", MAKEINTRESOURCEW(14)), nullptr) << program;
        EXPECT_EQ(versionText(program, L"ProductName"), L"Markroll") << program;
        EXPECT_EQ(versionText(program, L"FileVersion"), version) << program;
        EXPECT_EQ(versionText(program, L"ProductVersion"), version) << program;
    }
}
