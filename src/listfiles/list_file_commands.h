#pragma once
// Tool > Save StartUp and Tool > Load StartUp: the whole entry table to a startup list file, and a
// saved list shown again so that its entries can be restored one by one.

#include <optional>
#include <string_view>

#include "listfiles/startup_list.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "store/startup_entry.h"

namespace quorvel {

// Both dialogs start from this name, which lists the startup list files of a folder.
inline constexpr std::string_view kStartUpPattern = "*.stu";

struct ListFilePorts {
    FileSystem& files;
    TextCodec& codec;
    MessageBoxes& boxes;
};

// Writes every entry of the table in table order, whatever the list shows. The file is replaced
// only by a complete new one; anything that stops the save is told to the user.
void SaveStartUpList(const EntryTable& entries, std::string_view path, const ListFilePorts& ports);

// The whole file read and checked, or nothing when it cannot be opened.
std::optional<StartupList> OpenStartUpList(std::string_view path, const ListFilePorts& ports);

// The boxes a loaded list has always shown: the count, then each entry's name, command and
// "index last-index".
void AnnounceStartUpList(const StartupList& list, MessageBoxes& boxes);

// Says which line of which file is damaged, and why.
void TellDamagedList(std::string_view path, const ListDamage& damage, MessageBoxes& boxes);

}  // namespace quorvel
