#include "listfiles/list_file_commands.h"

#include <string>

#include "words/words.h"

namespace quorvel {

void SaveStartUpList(const EntryTable& entries, std::string_view path, const ListFilePorts& ports) {
    const WrittenList written = WriteStartupList(entries, ports.codec);
    if (!written.refusal.empty()) {
        ports.boxes.Fail(written.refusal);
        return;
    }
    if (!ports.files.ReplaceFile(path, written.bytes)) {
        ports.boxes.Fail(words::CouldNotSaveList(path, ports.files.LastError()));
    }
}

std::optional<StartupList> OpenStartUpList(std::string_view path, const ListFilePorts& ports) {
    const std::optional<std::string> bytes = ports.files.ReadFile(path);
    if (!bytes) return std::nullopt;
    return ReadStartupList(*bytes, ports.codec);
}

void AnnounceStartUpList(const StartupList& list, MessageBoxes& boxes) {
    if (!list.count) return;
    boxes.Inform(std::to_string(*list.count));
    const std::string last = std::to_string(*list.count - 1);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        // Cut where it is too long for a box on the screen, as every message quotes a name or command.
        boxes.Inform(words::Shortened(list.entries[i].Name));
        boxes.Inform(words::Shortened(list.entries[i].Command));
        boxes.Inform(std::to_string(i) + " " + last);
    }
}

void TellDamagedList(std::string_view path, const ListDamage& damage, MessageBoxes& boxes) {
    boxes.Fail(words::DamagedList(path, damage.line, damage.reason));
}

}  // namespace quorvel
