#include "fuzz/FuzzChecks.h"

#ifdef __linux__

#include "generator/LinkPageRun.h"
#include "platform/files/HostPath.h"
#include "platform/LocalHost.h"

#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace markroll::fuzz {
namespace {

constexpr const char* OutsideUrl = "http://outside.invalid/";

// Reads the input a byte at a time; past its end every byte is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    unsigned next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A name of raw bytes: anything but "/" and NUL, and never "." or "..".
std::string nameFrom(Input& input)
{
    std::string name;
    const unsigned length = 1 + input.next() % 6;
    for (unsigned i = 0; i < length; ++i) {
        const char byte = char(input.next());
        name.push_back(byte == '/' || byte == '\0' ? '_' : byte);
    }
    if (name == "." || name == "..")
        name += "_";
    return name;
}

struct Tree {
    fs::path root;
    std::vector<fs::path> folders;  // every real folder of the tree, the Favorites folder first
    int expectedUrls = 0;
};

std::string shortcutText(Input& input, int number)
{
    switch (input.next() % 4) {
    case 0: return "[InternetShortcut]\r\nURL=http://u" + std::to_string(number) + ".test/\r\n";
    case 1: return "\xEF\xBB\xBF[InternetShortcut]\nURL=http://u" + std::to_string(number) + ".test/\n";
    case 2: return "[Other]\r\nURL=http://nothing/\r\n";
    default: {
        std::string bytes;
        for (unsigned i = input.next() % 24; i > 0; --i)
            bytes.push_back(char(input.next()));
        return bytes;
    }
    }
}

// A new file only: opening an existing name could block on a pipe made
// earlier from the same input.
void writeNewFile(const fs::path& path, const std::string& bytes)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (file < 0)
        return;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(file, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += std::size_t(written);
    }
    ::close(file);
}

// Builds up to 40 entries below root/fav from the input: folders, shortcut
// files of every shape, links to folders of the tree, named pipes.
Tree buildTree(Input& input, const fs::path& root)
{
    Tree tree{root, {root / "fav"}};
    fs::create_directories(tree.folders[0]);
    std::ofstream(root / "outside.url", std::ios::binary) << "[InternetShortcut]\r\nURL=" << OutsideUrl << "\r\n";
    for (int entry = 0; entry < 40 && !input.done(); ++entry) {
        const fs::path& parent = tree.folders[input.next() % tree.folders.size()];
        const unsigned kind = input.next() % 5;
        std::string name = nameFrom(input);
        std::error_code error;
        if (kind == 0) {
            if (fs::create_directory(parent / name, error))
                tree.folders.push_back(parent / name);
        } else if (kind == 1 || kind == 2) {
            name += input.next() % 2 ? ".url" : ".URL";
            writeNewFile(parent / name, shortcutText(input, entry));
        } else if (kind == 3) {
            fs::create_directory_symlink(tree.folders[input.next() % tree.folders.size()], parent / name, error);
        } else {
            ::mkfifo((parent / (name + ".url")).c_str(), 0600);
        }
    }
    return tree;
}

// The independent reading: every visible ordinary *.url file in a real folder
// of the tree, found with plain OS calls.
std::vector<fs::path> shortcutFilesOf(const Tree& tree)
{
    std::vector<fs::path> files;
    for (const fs::path& folder : tree.folders) {
        DIR* listing = ::opendir(folder.c_str());
        if (!listing)
            continue;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            struct stat status {};
            if (name.size() < 4 || name[0] == '.' || ::stat((folder / name).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
                continue;
            std::string ending = name.substr(name.size() - 4);
            for (char& c : ending)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            if (ending == ".url")
                files.push_back(folder / name);
        }
        ::closedir(listing);
    }
    return files;
}

class SilentBoxes : public MessageBoxes {
public:
    void show(std::u16string_view, MessageStyle, std::u16string_view) override {}
};

std::size_t countOf(const std::string& text, const std::string& needle)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string checkPage(const Tree& tree, const std::string& page, const RunOutcome& outcome)
{
    if (page.find(OutsideUrl) != std::string::npos)
        return "a shortcut from outside the tree is on the page";
    if (!page.ends_with("</BODY></HTML>\r\n") && !outcome.failuresTold)
        return "the page has no foot line and no failure was reported";
    if (outcome.failuresTold)
        return {};
    const auto files = shortcutFilesOf(tree);
    const std::size_t lines = countOf(page, "<LI>") + countOf(page, "\x81\xA6\x81\xA6");
    if (lines < files.size())
        return "the page has " + std::to_string(lines) + " shortcut lines for " + std::to_string(files.size()) + " files";
    for (const fs::path& file : files) {
        const std::string text = readAll(file);
        const std::size_t at = text.find("URL=http://u");
        if (at != std::string::npos && page.find(text.substr(at + 4, text.find('/', at + 12) - at - 3)) == std::string::npos)
            return "the link of " + file.string() + " is missing";
    }
    return {};
}

} // namespace

std::string checkWholeRun(const std::uint8_t* data, std::size_t size)
{
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path root = fs::temp_directory_path() / ("markroll-whole-run-" + std::to_string(random()));
    Input input(data, size);
    const Tree tree = buildTree(input, root);
    fs::create_directories(root / "out");
    const RunPaths paths{fromHostBytes(tree.folders[0].native()), fromHostBytes((root / "out").native())};
    SilentBoxes boxes;
    LocalHost host;
    const RunOutcome outcome = LinkPageRun({boxes, host}).run(paths);
    const std::string finding = checkPage(tree, readAll(root / "out" / "ALL_Favorites_Link.htm"), outcome);
    std::error_code error;
    fs::remove_all(root, error);
    return finding;
}

} // namespace markroll::fuzz

#else

namespace markroll::fuzz {
std::string checkWholeRun(const std::uint8_t*, std::size_t) { return {}; }
} // namespace markroll::fuzz

#endif
