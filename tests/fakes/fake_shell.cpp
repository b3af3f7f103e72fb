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

LaunchResult FakeLauncher::StartCommandLine(std::string_view command_line, ShowCommand show) {
    if (!failure.empty()) return {false, failure};
    started.push_back({std::string(command_line), show});
    return {true, {}};
}

LaunchResult FakeLauncher::OpenWithDefaultProgram(std::string_view target) {
    if (!failure.empty()) return {false, failure};
    opened.emplace_back(target);
    return {true, {}};
}

std::string FakeLauncher::ExpandEnvironment(std::string_view text) {
    std::string out(text);
    const std::string from = "%SystemRoot%";
    for (size_t at = out.find(from); at != std::string::npos; at = out.find(from)) {
        out.replace(at, from.size(), "C:\\Windows");
    }
    return out;
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
