// The drop target of the Windows zip: a Favorites folder dropped on it in
// Explorer is written as the page and the bookmark file into a folder on the
// desktop, where the user sees them at once. Its console window says where
// they are and how many shortcuts went in, and stays until a key is pressed.

#include "cli/CliRun.h"
#include "cli/ConsoleMessageBoxes.h"
#include "cli/LastResort.h"
#include "generator/Messages.h"
#include "generator/PageFormat.h"
#include "platform/files/HostPath.h"
#include "platform/files/StandardStreams.h"
#include "platform/windows/WideText.h"
#include "text/Unicode.h"

#include <conio.h>
#include <cstdio>
#include <optional>
#include <shlobj.h>
#include <string>
#include <windows.h>

namespace markroll {
namespace {

constexpr std::u16string_view OutputFolderName = u"Markroll";
constexpr std::u16string_view BookmarkFileName = u"bookmarks.html";

void say(std::u16string_view line) { printLine(stdout, unicode::encodeUtf8(line)); }

// The desktop's "Markroll" folder, made when it is not there; none when the
// desktop is not known or the folder cannot be made.
std::optional<std::u16string> outputFolder()
{
    PWSTR desktop = nullptr;
    const bool known = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &desktop));
    std::optional<std::u16string> folder;
    if (known)
        folder = joinPath(fromWide(desktop), OutputFolderName);
    CoTaskMemFree(desktop);
    if (folder && !CreateDirectoryW(reinterpret_cast<const wchar_t*>(folder->c_str()), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        folder.reset();
    return folder;
}

// Only a console window waits: run from a script, with its input redirected, it ends at once.
void waitForAKey()
{
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        return;
    say(u"何かキーを押すと閉じます。");
    _getwch();
}

int writeBoth(const std::u16string& favorites, const ClosedStandardStreams& closed)
{
    const std::optional<std::u16string> folder = outputFolder();
    if (!folder) {
        say(u"デスクトップに書き出し先のフォルダ「Markroll」を作れませんでした。");
        return 1;
    }
    const std::u16string bookmarks = joinPath(*folder, BookmarkFileName);
    say(u"お気に入り：" + favorites);
    BookmarkTotals totals;
    const int status = runCli({u"--bookmarks", bookmarks, u"--", favorites, *folder}, closed, &totals);
    if (status != 0 && totals.bookmarked == 0)
        return status;
    say(u"書き出し先：" + *folder);
    say(u"　ページ：" + std::u16string(page::FileName));
    say(u"　ブックマークファイル：" + std::u16string(BookmarkFileName) + u"（ブラウザの「インポート」で読み込めます）");
    say(messages::bookmarked(totals.bookmarked));
    if (totals.leftOut == 0)
        say(messages::leftOutOfBookmarks(0));
    return status;
}

} // namespace
} // namespace markroll

int wmain(int argc, wchar_t* argv[])
{
    using namespace markroll;
    const ClosedStandardStreams closed = openClosedStandardStreams();
    installLastResort();
    int status = 2;
    if (argc == 2)
        status = writeBoth(fromWide(argv[1]), closed);
    else if (argc > 2)
        say(u"ドロップするお気に入りのフォルダは一つだけにしてください。");
    else
        say(u"お気に入りのフォルダを、このプログラムのアイコンにドロップしてください。");
    waitForAKey();
    return status;
}
