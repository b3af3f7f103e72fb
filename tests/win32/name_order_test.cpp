// The list's name order, checked on the real system: sorting by sort keys must give the order that
// comparing with lstrcmpi gives, for the names users really have.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "win32/listview/list_view.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

TEST(NameOrder, SortKeysOrderNamesAsLstrcmpiDoes) {
    const std::vector<std::string> names{
        "zeta",       "Alpha",    "alpha",     "ALPHA2",    "alpha10",  "alpha9", "Äpfel",   "apfel",
        "Éclair",     "eclair",   "Zürich",    "zurich",    "_update",  "-dash",  "'quoted", "\"quoted",
        "日本 entry", "Ünïcødé",  "unicode",   "1Password", "10tools",  "9lives", "",        " leading",
        "Adobe ARM",  "AdobeARM", "Adobe-ARM", "OneDrive",  "onedrive", "Steam",  "steam",   "Ωmega",
        "ß-sharp",    "ss-sharp", "Straße",    "Strasse",   "x86",      "X86",    "a.b",     "a,b"};
    std::vector<ListRow> rows;
    for (size_t i = 0; i < names.size(); ++i) {
        ListRow row;
        row.identity = EntryIdentity{kCurrentUser, std::to_string(i)};
        row.name = names[i];
        rows.push_back(row);
    }

    SortRowsByName(rows);

    for (size_t i = 1; i < rows.size(); ++i) {
        const int compared = ::lstrcmpiW(Widen(rows[i - 1].name).c_str(), Widen(rows[i].name).c_str());
        EXPECT_LE(compared, 0) << '"' << rows[i - 1].name << "\" before \"" << rows[i].name << '"';
        // Names lstrcmpi holds equal keep the order they came in.
        if (compared == 0) {
            EXPECT_LT(std::stoi(rows[i - 1].identity.key), std::stoi(rows[i].identity.key));
        }
    }
}

}  // namespace
}  // namespace quorvel::win32
