#include "about/system_info.h"

#include <cstdint>
#include <optional>

#include "store/utf16_text.h"
#include "words/words.h"

namespace quorvel {
namespace {

// The stored characters; an odd last byte is no character, and one final NUL is the terminator.
std::u16string CharactersOf(const std::vector<std::uint8_t>& data) {
    std::u16string characters(data.size() / 2, u'\0');
    for (std::size_t i = 0; i < characters.size(); ++i) {
        characters[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    if (!characters.empty() && characters.back() == u'\0') characters.pop_back();
    return characters;
}

// The little-endian number as "&h" and its hexadecimal digits, most significant first.
std::string HexOfNumber(const std::vector<std::uint8_t>& data) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (auto byte = data.rbegin(); byte != data.rend(); ++byte) {
        digits += kDigits[*byte >> 4];
        digits += kDigits[*byte & 0x0F];
    }
    const std::size_t first = digits.find_first_not_of('0');
    return "&h" + (first == std::string::npos ? std::string("0") : digits.substr(first));
}

// Quoted, so that a path with blanks names one program and nothing else.
std::string CommandLineOf(const std::string& path) {
    if (path.empty() || path.front() == '"') return path;
    return '"' + path + '"';
}

}  // namespace

bool GetKeyValue(AboutSystem& system, RootKey root, std::string_view path, std::string_view name,
                 std::string& text) {
    const std::optional<RawKeyValue> value = system.ReadKeyValue(root, path, name, kKeyValueCapacity);
    if (!value || value->data.size() > kKeyValueCapacity) {
        text.clear();
        return false;
    }
    if (value->type == kValueTypeString) {
        text = Utf8FromUtf16(CharactersOf(value->data));
    } else if (value->type == kValueTypeNumber) {
        text = HexOfNumber(value->data);
    }
    return true;
}

void StartSysInfo(AboutSystem& system, ProcessLauncher& launcher, MessageBoxes& boxes) {
    std::string program;
    // The first value is trusted as it stands: only the folder of the second one is checked.
    if (!GetKeyValue(system, kLocalMachine, kSysInfoPathKey, kSysInfoPathValue, program)) {
        std::string folder;
        if (!GetKeyValue(system, kLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, folder) ||
            !system.OrdinaryFileExists(folder + std::string(kSysInfoProgram))) {
            boxes.Inform(words::kSysInfoUnavailable);
            return;
        }
        program = folder + std::string(kSysInfoProgram);
    }
    // An empty path (a found value of another type) names no program at all.
    if (program.empty() || !launcher.StartCommandLine(CommandLineOf(program), ShowCommand::kNormal).started) {
        boxes.Inform(words::kSysInfoUnavailable);
    }
}

}  // namespace quorvel
