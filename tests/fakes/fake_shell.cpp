#include "fakes/fake_shell.h"

#include <algorithm>
#include <cctype>

namespace quorvel::testing {

void FakeList::SortByName(std::vector<ListRow>& rows) const {
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ListRow& a, const ListRow& b) { return lower(a.name) < lower(b.name); });
}

void FakeList::ReplaceGroups(SourceSet groups, std::vector<ListRow> replacing, bool by_name) {
    std::erase_if(rows, [&](const ListRow& row) { return groups[row.group]; });
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const ListRow& row : replacing) {
        const auto at = std::partition_point(rows.begin(), rows.end(), [&](const ListRow& shown) {
            if (!by_name) return shown.group >= row.group;
            return lower(shown.name) < lower(row.name) ||
                   (lower(shown.name) == lower(row.name) && shown.group >= row.group);
        });
        rows.insert(at, row);
    }
    replaced.insert(replaced.end(), replacing.begin(), replacing.end());
}

std::vector<std::string> FakeList::Names() const {
    std::vector<std::string> names;
    for (const ListRow& row : rows)
        names.push_back(row.name);
    return names;
}

std::vector<std::string> FakeList::Lines() const {
    std::vector<std::string> lines;
    for (const ListRow& row : rows) {
        lines.push_back(row.name + "|" + row.command + "|" + std::string(row.state_word) + "|" +
                        std::to_string(row.image));
    }
    return lines;
}

FakeOptions::FakeOptions()
    : checked{{Option::kExitAfterCleaning, false},
              {Option::kEnableVisible, true},
              {Option::kDisableVisible, true},
              {Option::kBanVisible, false},
              {Option::kSortinga, false}} {}

EntryAction FakePopups::ShowEntryMenu(bool at_pointer) {
    ++entry_menus_opened;
    last_at_pointer = at_pointer;
    if (while_open) while_open();
    return entry_choice;
}

TrayChoice FakePopups::ShowTrayMenu() {
    if (while_open) while_open();
    return tray_choice;
}

LaunchResult FakeLauncher::Record(std::string how, std::string_view text, ShowCommand show,
                                  const std::string& failed) {
    if (!failed.empty()) return {false, false, failed};
    started.push_back({std::move(how), std::string(text), show});
    return {true, false, {}};
}

LaunchResult FakeLauncher::StartCommandLine(std::string_view command_line, ShowCommand show) {
    return Record("command line", command_line, show, failure);
}

LaunchResult FakeLauncher::Open(std::string_view target, ShowCommand show) {
    return Record("open", target, show, failure);
}

LaunchResult FakeLauncher::StartCommandLineAsDesktopUser(std::string_view command_line, ShowCommand show) {
    return Record("command line as desktop user", command_line, show,
                  desktop_failure.empty() ? failure : desktop_failure);
}

LaunchResult FakeLauncher::OpenAsDesktopUser(std::string_view target, ShowCommand show) {
    return Record("open as desktop user", target, show, desktop_failure.empty() ? failure : desktop_failure);
}

LaunchResult FakeLauncher::StartRegistryEditor() {
    if (consent_refused) return {false, true, "The operation was canceled by the user."};
    return Record("registry editor", "", ShowCommand::kNormal, failure);
}

std::string FakeLauncher::ExpandEnvironment(std::string_view text) {
    std::string out(text);
    const std::string from = "%SystemRoot%";
    for (size_t at = out.find(from); at != std::string::npos; at = out.find(from)) {
        out.replace(at, from.size(), "C:\\Windows");
    }
    return out;
}

namespace {

// Whether the path is the folder or lies in it.
bool InFolder(std::string_view path, std::string_view folder) {
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '\\');
}

}  // namespace

bool FakeFiles::Refuses(std::string_view path) const {
    return read_only || std::any_of(refusing_folders.begin(), refusing_folders.end(),
                                    [&](const std::string& folder) { return InFolder(path, folder); });
}

bool FakeFiles::OnlyAdministratorsCanChange(std::string_view path) {
    return std::none_of(open_to_users.begin(), open_to_users.end(),
                        [&](const std::string& folder) { return InFolder(path, folder); });
}

bool FakeBoxes::Confirm(std::string_view text, std::string_view title) {
    questions.push_back({std::string(text), std::string(title)});
    if (while_open) while_open();
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace quorvel::testing
