// Thousands of random sessions against a registry that refuses changes at random: whatever the
// user does and whatever the system refuses, no startup entry may get lost or doubled.

#include <random>
#include <set>

#include "app/settings.h"
#include "listview/entry_actions.h"
#include "program_fixture.h"

namespace quorvel::testing {
namespace {

using Presence = std::set<std::pair<RootKey, std::string>>;  // (root, name) found in any of its keys

Presence PresentEntries(const FakeRegistre& registry) {
    Presence present;
    for (const EntrySource& source : kEntrySources) {
        for (const std::string& name : registry.AllNames(source.root, source.path))
            present.insert({source.root, name});
    }
    return present;
}

std::set<std::string> BannedNames(const FakeRegistre& registry) {
    std::set<std::string> banned;
    for (RootKey root : {kLocalMachine, kCurrentUser}) {
        for (const std::string& name : registry.AllNames(root, kBanPath))
            banned.insert(name);
    }
    return banned;
}

int KeysHolding(const FakeRegistre& registry, RootKey root, const std::string& name) {
    int keys = 0;
    for (std::string_view path : {kRunPath, kRunDisabledPath, kBanPath})
        keys += registry.GetRaw(root, path, name) ? 1 : 0;
    return keys;
}

TEST(Robustness, RandomSessionsWithRefusedChangesNeverLoseOrDoubleAnEntry) {
    std::mt19937 random(20261207);
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    const std::vector<std::string> names{"Alpha", "Beta", "Gamma", "Delta", "Nag", "Updater"};

    for (int session = 0; session < 10000; ++session) {
        Program p;
        for (const std::string& name : names) {
            const EntrySource& source = kEntrySources[pick(kEntrySources.size())];
            if (chance(70)) p.Seed(source.root, source.path, name, name + ".exe");
        }
        p.form.Form_Load("");
        const int refusal_percent = static_cast<int>(pick(60));
        p.registry.SetRefusal([&](const Change&) { return chance(refusal_percent); });

        for (int step = 0; step < 12; ++step) {
            const Presence before = PresentEntries(p.registry);
            const size_t failures_before = p.boxes.failures.size();
            std::optional<std::pair<RootKey, std::string>> deleted_by_user;
            std::optional<std::pair<RootKey, std::string>> moved;
            int keys_before_move = 0;

            const size_t what = pick(10);
            if (what < 6 && !p.view.rows.empty()) {
                const ListRow row = p.view.rows[pick(p.view.rows.size())];
                const auto action = static_cast<EntryAction>(1 + pick(5));
                const bool confirm = chance(70);
                p.boxes.answers = {confirm};
                if (action == EntryAction::kDelete && confirm)
                    deleted_by_user = {row.identity.root, row.name};
                if (TargetStateOf(action)) {
                    moved = {row.identity.root, row.name};
                    keys_before_move = KeysHolding(p.registry, row.identity.root, row.name);
                }
                p.Choose(action, row.identity);
            } else if (what < 8) {
                p.form.Timer1_Timer();
            } else if (what < 9) {
                p.form.OnCommand(Command::kRefresha);
            } else {
                static constexpr Command kOptions[] = {Command::kEnableVisible, Command::kDisableVisible,
                                                       Command::kBanVisible, Command::kSortinga};
                p.form.OnCommand(kOptions[pick(4)]);
            }

            const Presence after = PresentEntries(p.registry);
            const std::set<std::string> banned = BannedNames(p.registry);
            for (const auto& entry : before) {
                if (after.contains(entry) || entry == deleted_by_user || banned.contains(entry.second))
                    continue;
                FAIL() << "session " << session << " step " << step << ": lost " << entry.second << " of "
                       << RootName(entry.first);
            }
            // A move that was refused and rolled back leaves the entry in as many keys as before;
            // only a refused roll-back may leave a second copy, and then the user is told so.
            if (moved && p.boxes.failures.size() > failures_before &&
                p.boxes.failures.back().find("now stands in both") == std::string::npos) {
                ASSERT_EQ(KeysHolding(p.registry, moved->first, moved->second), keys_before_move)
                    << "session " << session << " step " << step << ": " << moved->second;
            }
        }
    }
}

TEST(Robustness, TheSettingsReaderTakesAnyBytes) {
    std::mt19937 random(7);
    const std::string alphabet = " \t\r\n+-0123456789.,ab\xff";
    for (int i = 0; i < 20000; ++i) {
        std::string file(std::uniform_int_distribution<size_t>(0, 40)(random), ' ');
        for (char& c : file)
            c = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        const std::array<std::int16_t, 5> values = ReadSettings(file);
        // Whatever the bytes, the five marks come out of exactly these numbers, and a rewrite is canonical.
        FakeOptions options;
        for (size_t k = 0; k < values.size(); ++k)
            options.SetChecked(kSettingsOrder[k], VtoB(values[k]));
        const std::string rewritten = WriteSettings(options);
        ASSERT_EQ(rewritten.size(), 25u);
        ASSERT_EQ(
            ReadSettings(rewritten),
            (std::array<std::int16_t, 5>{BtoV(VtoB(values[0])), BtoV(VtoB(values[1])), BtoV(VtoB(values[2])),
                                         BtoV(VtoB(values[3])), BtoV(VtoB(values[4]))}));
    }
}

}  // namespace
}  // namespace quorvel::testing
