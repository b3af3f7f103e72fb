#include "store/program_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace quorvel {
namespace {

constexpr std::string_view kAppPathsPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// No path is longer, and no name in a folder: a name past either is not looked for.
constexpr std::size_t kLongestPath = 32767;
constexpr std::size_t kLongestName = 255;
// Windows tries every blank of an unquoted command; no real program path has this many blanks, and a
// hostile value full of them would otherwise cost looks at the disk and the registry at each one.
constexpr int kMostBlanks = 32;
// How deep hosts within hosts (cmd /c start cmd /c ...) are followed.
constexpr int kDeepestHost = 8;

// What CreateProcess adds to a name without extension, and what cmd tries (the programs of PATHEXT).
constexpr std::array<std::string_view, 1> kProgramExtensions{".exe"};
constexpr std::array<std::string_view, 4> kCommandExtensions{".com", ".exe", ".bat", ".cmd"};
// Where no candidate exists, the first one ending in one of these is the likeliest meant.
constexpr std::array<std::string_view, 14> kRunnableExtensions{".exe", ".com", ".bat", ".cmd", ".scr",
                                                               ".pif", ".lnk", ".dll", ".cpl", ".msc",
                                                               ".vbs", ".js",  ".ps1", ".hta"};

// What cmd does itself, before it looks for a file of that name: such a command runs cmd alone.
constexpr std::array<std::string_view, 40> kCmdCommands{
    "assoc",  "break", "call",  "cd",       "chdir", "cls",    "color", "copy", "date", "del",
    "dir",    "echo",  "erase", "exit",     "for",   "ftype",  "goto",  "if",   "md",   "mkdir",
    "mklink", "move",  "path",  "pause",    "popd",  "prompt", "pushd", "rd",   "rem",  "ren",
    "rename", "rmdir", "set",   "setlocal", "shift", "time",   "title", "type", "ver",  "vol"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimmedLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view Trimmed(std::string_view text) {
    text = TrimmedLeft(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view FileName(std::string_view path) {
    const auto cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool HasFolder(std::string_view path) { return path.find_first_of("\\/:") != std::string_view::npos; }

// ".exe" of "a.b\c.exe"; empty for "a.b\c" and for "c." alike.
std::string_view Extension(std::string_view path) {
    const std::string_view name = FileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos || dot + 1 == name.size() ? std::string_view{} : name.substr(dot);
}

bool IsRunnable(std::string_view path) {
    return std::ranges::find(kRunnableExtensions, Lower(Extension(path))) != kRunnableExtensions.end();
}

// What a program missing from the disk would have been called: CreateProcess adds ".exe" to a name
// without extension.
std::string Likely(std::string_view name) {
    std::string likely(name);
    if (Extension(name).empty() && !name.empty()) likely += ".exe";
    return likely;
}

// The first word of a command: the text within its quotes, or up to the first of `ends`.
struct Split {
    std::string_view word;
    std::string_view rest;
};

Split FirstWord(std::string_view text, std::string_view ends) {
    text = TrimmedLeft(text);
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        if (close == std::string_view::npos) return {text.substr(1), {}};
        return {text.substr(1, close - 1), text.substr(close + 1)};
    }
    const auto end = std::min(text.find_first_of(ends), text.size());
    return {text.substr(0, end), text.substr(end)};
}

class Finder {
  public:
    Finder(ProgramSearch& system, Registre& registry) : system_(system), registry_(registry) {}

    // A command line as CreateProcess reads it.
    ProgramFile Started(std::string_view line) {
        line = TrimmedLeft(line);
        if (line.empty()) return {};
        if (line.front() == '"') {
            const Split quoted = FirstWord(line, {});
            if (auto file = Locate(quoted.word, kProgramExtensions)) return Hosted(*file, quoted.rest, 0);
            return {Likely(quoted.word), false};
        }
        // Unquoted, the name may end at any blank, and Windows tries each from the left: where
        // C:\Program.exe exists, "C:\Program Files\A\a.exe" runs it.
        std::string_view likely;
        int blanks = 0;
        for (std::size_t end = 0; blanks <= kMostBlanks; ++end, ++blanks) {
            end = line.find_first_of(" \t", end);
            const std::string_view name = line.substr(0, end);
            if (!IsBlank(name.back())) {
                if (auto file = Locate(name, kProgramExtensions))
                    return Hosted(*file, line.substr(name.size()), 0);
                if (likely.empty() && IsRunnable(name)) likely = name;
            }
            if (end == std::string_view::npos) break;
        }
        return {Likely(likely.empty() ? FirstWord(line, " \t").word : likely), false};
    }

  private:
    // The file a name stands for: a name with a folder as written, a bare one in the search folders
    // and then under App Paths. A name with an extension is taken as it is; one without gets
    // each extension first, then is tried as it is.
    std::optional<std::string> Locate(std::string_view name, std::span<const std::string_view> extensions) {
        if (name.empty() || name.size() > kLongestPath || FileName(name).size() > kLongestName) return {};
        std::vector<std::string> forms;
        if (Extension(name).empty()) {
            for (const std::string_view extension : extensions)
                forms.push_back(std::string(name).append(extension));
        }
        forms.emplace_back(name);
        if (HasFolder(name)) {
            for (const std::string& form : forms) {
                if (system_.IsFile(form)) return form;
            }
            return {};
        }
        if (!folders_) folders_ = system_.SearchFolders();
        for (const std::string& folder : *folders_) {
            if (folder.empty()) continue;
            const bool separated = folder.back() == '\\' || folder.back() == '/';
            for (const std::string& form : forms) {
                std::string path = separated ? folder + form : folder + '\\' + form;
                if (system_.IsFile(path)) return path;
            }
        }
        return InAppPaths(name);
    }

    // A program registered by name: its key's unnamed value is its path, quoted or not.
    std::optional<std::string> InAppPaths(std::string_view name) {
        std::string key = std::string(kAppPathsPath).append(name);
        if (Extension(name).empty()) key += ".exe";
        for (const RootKey root : {kCurrentUser, kLocalMachine}) {
            const std::string expanded = system_.ExpandVariables(registry_.ReadStringValue(root, key, ""));
            const std::string path(Trimmed(FirstWord(expanded, {}).word));
            if (!path.empty() && system_.IsFile(path)) return path;
        }
        return {};
    }

    // The file, or what it hosts where it only carries another one.
    ProgramFile Hosted(const std::string& file, std::string_view arguments, int depth) {
        const std::string host = Lower(FileName(file));
        std::optional<ProgramFile> hosted;
        if (host == "rundll32.exe") hosted = RunDllStarted(arguments);
        if (host == "cmd.exe") hosted = CmdStarted(arguments, depth + 1);
        return hosted ? *hosted : ProgramFile{file, true};
    }

    // rundll32 FILE,Entry: the library ends at the comma (or, quoted, at its quote); the older form
    // without a comma names the entry after a blank. LoadLibrary adds ".dll" to a name without one.
    std::optional<ProgramFile> RunDllStarted(std::string_view arguments) {
        const bool comma = arguments.find(',') != std::string_view::npos;
        std::string name(Trimmed(FirstWord(arguments, comma ? "," : " \t").word));
        if (name.empty()) return {};
        if (Extension(name).empty()) name += ".dll";
        if (auto file = Locate(name, {})) return ProgramFile{*file, true};
        return ProgramFile{name, false};
    }

    // cmd's switches, then /c or /k and the command, whose quotes cmd reads in its own way.
    std::optional<ProgramFile> CmdStarted(std::string_view arguments, int depth) {
        bool strip_quotes = false;
        std::string_view rest = TrimmedLeft(arguments);
        for (;;) {
            if (rest.size() < 2 || rest.front() != '/') return {};
            const std::string letter = Lower(rest.substr(1, 1));
            if (letter == "c" || letter == "k") break;
            const auto next = rest.find_first_of(" \t/", 1);
            if (letter == "s" && next == 2) strip_quotes = true;
            rest = next == std::string_view::npos ? std::string_view{} : TrimmedLeft(rest.substr(next));
        }
        std::string command(TrimmedLeft(rest.substr(2)));
        // cmd keeps the quotes only around one program path with blanks and nothing else quoted;
        // otherwise it drops the first quote and the last.
        if (!command.empty() && command.front() == '"') {
            const std::string_view quoted = FirstWord(command, {}).word;
            const bool keep = !strip_quotes && std::ranges::count(command, '"') == 2 &&
                              quoted.find_first_of(" \t") != std::string_view::npos &&
                              quoted.find_first_of("&<>()@^|") == std::string_view::npos &&
                              Locate(quoted, kCommandExtensions);
            if (!keep) {
                const auto last = command.rfind('"');
                if (last > 0) command.erase(last, 1);
                command.erase(0, 1);
            }
        }
        return CommandStarted(command, depth);
    }

    // One command as cmd reads it: its name ends at the first blank or operator, never tried further.
    std::optional<ProgramFile> CommandStarted(std::string_view command, int depth) {
        if (depth > kDeepestHost) return {};
        const Split name = FirstWord(command, " \t&|<>");
        if (name.word.empty()) return {};
        if (Lower(name.word) == "start") return StartStarted(name.rest, depth + 1);
        if (std::ranges::find(kCmdCommands, Lower(name.word)) != kCmdCommands.end()) return {};
        if (auto file = Locate(name.word, kCommandExtensions)) return Hosted(*file, name.rest, depth);
        return ProgramFile{Likely(name.word), false};
    }

    // start ["title"] [/options] program: its first quoted word is the window's title.
    std::optional<ProgramFile> StartStarted(std::string_view arguments, int depth) {
        std::string_view rest = TrimmedLeft(arguments);
        bool titled = false;
        while (!rest.empty() && (rest.front() == '/' || (rest.front() == '"' && !titled))) {
            titled = titled || rest.front() == '"';
            const Split option = FirstWord(rest, " \t");
            const std::string lower = Lower(option.word);
            rest = TrimmedLeft(option.rest);
            // These take a value of their own.
            if (lower == "/d" || lower == "/node" || lower == "/affinity")
                rest = TrimmedLeft(FirstWord(rest, " \t").rest);
        }
        return CommandStarted(rest, depth);
    }

    ProgramSearch& system_;
    Registre& registry_;
    std::optional<std::vector<std::string>> folders_;
};

}  // namespace

ProgramFile FindProgramFile(std::string_view command, ProgramSearch& system, Registre& registry) {
    return Finder(system, registry).Started(system.ExpandVariables(command));
}

}  // namespace quorvel
