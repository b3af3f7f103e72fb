#include "app/form1.h"

#include <algorithm>
#include <cctype>

#include "about/tool_help_commands.h"
#include "app/command_line.h"
#include "app/settings.h"
#include "listfiles/list_file_commands.h"
#include "listview/draw_list.h"
#include "listview/entry_actions.h"
#include "words/folder_words.h"
#include "words/words.h"

namespace quorvel {

// The ports as given, but for the launcher: Form1 starts everything through its own.
Form1::Form1(Form1Ports ports)
    : launcher_(ports.launcher, ports.process),
      ports_{
          ports.registry, ports.watch,   ports.view,    ports.options, ports.window, ports.tray,
          ports.popups,   ports.events,  ports.process, launcher_,     ports.boxes,  ports.about,
          ports.files,    ports.dialogs, ports.codec,   ports.folders, ports.search, ports.file_facts,
      },
      facts_(ports.search, ports.registry, ports.file_facts),
      newcomers_(ports.registry) {}

StartOutcome Form1::Form_Load(std::string_view arguments) {
    // Started by an instance that restarts itself as an administrator: that one ends first. Run with
    // another account's credentials, this one may not see it to wait for it, and tries for the claim
    // until it has let go.
    const std::optional<std::uint32_t> predecessor = ProcessToWaitFor(arguments);
    if (predecessor) ports_.process.WaitForEnd(*predecessor);
    if (!(predecessor ? ports_.process.AwaitSingleInstance() : ports_.process.ClaimSingleInstance())) {
        ports_.process.CallFirstInstance(IsAutomaticStart(arguments));
        return EndProgram();
    }
    LoadSeting();
    SaveSeting();
    RegisterAtLogon();
    CreateSiblingKeys();
    ports_.window.BindImageList();
    PeriodicCleaning();
    const bool automatic = IsAutomaticStart(arguments);
    if (automatic) {
        ports_.window.Hide();
        ShowTrayIcon();
        if (ports_.options.IsChecked(Option::kExitAfterCleaning)) return EndProgram();
    }
    ports_.popups.GiveMenuBitmaps();
    if (automatic) return StartOutcome::kHidden;
    ports_.window.Show();
    SetWindowShown(true);
    TellUnreadFolders();
    return StartOutcome::kShown;
}

void Form1::Form_QueryUnload() {
    // Closing never ends the program: it goes on cleaning from the notification area.
    ports_.window.Hide();
    SetWindowShown(false);
    ShowTrayIcon();
}

void Form1::ShowTrayIcon() {
    tray_wanted_ = true;
    tray_tries_ = 0;
    TryTrayIcon();
}

bool Form1::TryTrayIcon() {
    // At logon the taskbar may not be there yet, and a busy shell may refuse or time out: a hidden
    // program without its icon could only be reached through the task manager.
    if (ports_.tray.Show()) return true;
    if (++tray_tries_ < kTrayTries) ports_.window.StartTrayTimer();
    return false;
}

void Form1::Tray_Timer() {
    if (tray_wanted_ && !ports_.tray.IsShown()) TryTrayIcon();
}

void Form1::Taskbar_Created() {
    if (!tray_wanted_) return;
    ports_.tray.Forget();
    ShowTrayIcon();
}

void Form1::RemoveTrayIcon() {
    tray_wanted_ = false;
    ports_.tray.Remove();
}

void Form1::Second_Start(bool automatic) {
    // Without its icon a hidden program has no other way back to the screen. A logon start is nobody
    // asking for the window: with the machine's value and a user's copy, every logon would show it.
    if (!automatic && tray_wanted_ && !ports_.tray.IsShown()) Showa_Click();
}

void Form1::Timer1_Timer() {
    retried_ = false;
    PeriodicCleaning();
}

void Form1::OnCommand(Command command) {
    switch (command) {
        case Command::kRefresha: Refresha_Click(); break;
        case Command::kEnableVisible: Option_Click(Option::kEnableVisible); break;
        case Command::kDisableVisible: Option_Click(Option::kDisableVisible); break;
        case Command::kBanVisible: Option_Click(Option::kBanVisible); break;
        case Command::kExitAfterCleaning: Option_Click(Option::kExitAfterCleaning); break;
        case Command::kSortinga: Option_Click(Option::kSortinga); break;
        case Command::kRegedit: Regedit_Click(ports_.launcher, ports_.boxes); break;
        case Command::kLoadStartUp: LoadStartUp_Click(); break;
        case Command::kSaveStartUp: SaveStartUp_Click(); break;
        case Command::kExit:
        case Command::kTrayExit: EndProgram(); break;
        case Command::kDocument: break;  // shown and enabled, and does nothing
        case Command::kAbout: ports_.about.ShowModal(ports_.launcher); break;
        case Command::kWebSite: WebSite_Click(ports_.launcher, ports_.boxes); break;
        case Command::kShowa: Showa_Click(); break;
        default: break;
    }
}

void Form1::View1_MouseUp(MouseButton button) { EntryMenu(button == MouseButton::kRight, true); }

void Form1::View1_ContextKey() { EntryMenu(true, false); }

void Form1::EntryMenu(bool open_menu, bool at_pointer) {
    PopupChoice = EntryAction::kNone;
    const std::optional<EntryIdentity> selected = ports_.view.SelectedEntry();
    if (!selected) return;
    if (open_menu) PopupChoice = ports_.popups.ShowEntryMenu(at_pointer);
    ActOnEntry(*selected);
}

void Form1::ActOnEntry(const EntryIdentity& selected) {
    // Looked up after the menu closed: a tick may have rebuilt the table while it was open.
    const StartupEntry* found = FindEntry(entries_, selected);
    if (found == nullptr || PopupChoice == EntryAction::kNone) return;
    const StartupEntry entry = *found;
    // The user's action is an event of its own: what it finds back may be retried once more.
    retried_ = false;
    // An entry the user enables is nobody's news.
    if (PopupChoice == EntryAction::kEnable) newcomers_.ExpectOwnWrite(entry.Root, StoredName(entry));
    const ActionPorts ports{ports_.registry, ports_.folders, ports_.boxes, ports_.launcher,
                            !ports_.process.IsElevated()};
    switch (CarryOut(PopupChoice, entry, !showing_list_file_, ports)) {
        case ActionOutcome::kNothing: break;
        // An action changes the keys (or the folders and the Ban- key) of the entry's own root alone.
        case ActionOutcome::kChanged: ReadBackOwnChanges(SourcesOfRoot(entry.Root)); break;
        case ActionOutcome::kRestartAsAdministrator: RestartAsAdministrator(); break;
    }
}

void Form1::RestartAsAdministrator() {
    const RestartResult restart = ports_.process.RestartAsAdministrator();
    // The new instance waits for this one to end before it claims to be the only one.
    if (restart.started) {
        EndProgram();
        return;
    }
    if (!restart.cancelled) ports_.boxes.Fail(words::CouldNotRestartAsAdministrator(restart.error));
    ReadBackOwnChanges(AllSources());
}

void Form1::TaskbarIcon_MouseUp() {
    switch (ports_.popups.ShowTrayMenu()) {
        case TrayChoice::kShow: Showa_Click(); break;
        case TrayChoice::kExit: EndProgram(); break;
        case TrayChoice::kNone: break;
    }
}

void Form1::Showa_Click() {
    ports_.window.Show();
    SetWindowShown(true);
    RemoveTrayIcon();
    PeriodicCleaning();
}

void Form1::Refresha_Click() {
    retried_ = false;
    // Collected again after deletions, so that the list never shows values already deleted.
    RefreshList();
    const BanPass pass = DelectBanElement();
    if (!pass.deleted.empty()) ReadBackOwnChanges(SourcesOf(pass.deleted));
    AnnounceNewcomers();
}

void Form1::Balloon_Click() { Showa_Click(); }

std::string Form1::LogonProgram() const { return ports_.process.ProgramFolder() + "\\Quorvel.exe"; }

std::string Form1::LogonCommand() const {
    // Quoted, so that a folder with blanks cannot make Windows run a program at the first blank.
    std::string command = "\"";
    command += LogonProgram();
    command += "\" -auto";
    return command;
}

void Form1::RefreshList() {
    unread_folders_ = CollectEntries(ports_.registry, ports_.folders, entries_);
    read_since_announced_ = AllSources();
    showing_list_file_ = false;
    DrawList();
}

void Form1::RefreshSources(SourceSet sources) {
    // A loaded list holds nothing of the places it could be spliced into.
    if (showing_list_file_ || sources == AllSources()) {
        RefreshList();
        return;
    }
    // A pass after one that read everything may have nothing left to read.
    if (sources.none()) return;
    sources = WithDependents(sources);
    std::vector<UnreadFolder> unread = CollectSources(ports_.registry, ports_.folders, entries_, sources);
    // What is known of the folders not read again stays as it was.
    std::erase_if(unread_folders_,
                  [&](const UnreadFolder& folder) { return sources[SourceOfFolder(folder.folder)]; });
    unread_folders_.insert(unread_folders_.end(), unread.begin(), unread.end());
    read_since_announced_ |= sources;
    DrawSources(sources);
}

Visibility Form1::ShownStates() const {
    return {ports_.options.IsChecked(Option::kEnableVisible),
            ports_.options.IsChecked(Option::kDisableVisible), ports_.options.IsChecked(Option::kBanVisible)};
}

void Form1::DrawList() {
    const Visibility visibility = ShownStates();
    std::vector<ListRow> rows = BuildRows(entries_, visibility);
    // The program orders the rows itself, as the control's own sort would, instead of letting the
    // control place every insertion: far cheaper for long lists.
    const bool sorted = ports_.options.IsChecked(Option::kSortinga);
    if (sorted) ports_.view.SortByName(rows);
    rows_by_source_ = !showing_list_file_;
    facts_.Plan(rows, true);
    ports_.view.ShowRows(std::move(rows));
}

void Form1::DrawSources(SourceSet sources) {
    if (!rows_by_source_) {
        DrawList();
        return;
    }
    const Visibility visibility = ShownStates();
    std::vector<ListRow> rows;
    // In the order a full list gives them: the last place's rows first.
    for (std::size_t source = kSourceCount; source-- > 0;) {
        if (!sources[source]) continue;
        std::vector<ListRow> own = BuildRowsOf(EntriesOf(entries_, source), visibility);
        rows.insert(rows.end(), std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));
    }
    // Only the rows that are new need their programs looked at.
    facts_.Plan(rows, false);
    ports_.view.ReplaceGroups(sources, std::move(rows), ports_.options.IsChecked(Option::kSortinga));
}

BanPass Form1::DelectBanElement() {
    if (showing_list_file_) return {};
    const BanPass pass = EnforceBans(ports_.registry, ports_.folders, entries_);
    refused_bans_ = pass.refused.size();
    return pass;
}

void Form1::LoadStartUp_Click() {
    if (const std::optional<std::string> path =
            ports_.dialogs.AskOpenPath(words::kLoadStartUp, kStartUpPattern))
        LoadStartUpf(*path);
}

void Form1::SaveStartUp_Click() {
    if (const std::optional<std::string> path =
            ports_.dialogs.AskSavePath(words::kSaveStartUp, kStartUpPattern))
        SaveStartUpf(*path);
}

void Form1::LoadStartUpf(std::string_view path) {
    // The whole file is read and checked before the table changes: a tick while one of the boxes is
    // open then refills the table from the registry at worst, and the list replaces it afterwards.
    std::optional<StartupList> list = OpenStartUpList(path, {ports_.files, ports_.codec, ports_.boxes});
    if (!list) return;
    entries_.clear();
    DrawList();
    AnnounceStartUpList(*list, ports_.boxes);
    entries_ = std::move(list->entries);
    showing_list_file_ = true;
    if (!list->damage) {
        DrawList();
        return;
    }
    // Part of a list is no list to restore from: nothing of it is shown.
    ports_.view.ShowRows({});
    TellDamagedList(path, *list->damage, ports_.boxes);
}

void Form1::SaveStartUpf(std::string_view path) {
    SaveStartUpList(entries_, path, {ports_.files, ports_.codec, ports_.boxes});
}

StartOutcome Form1::EndProgram() {
    // The icon goes with the process; removing it first leaves no dead icon behind on any shell.
    RemoveTrayIcon();
    ports_.process.EndProcess();
    return StartOutcome::kEnded;
}

void Form1::PeriodicCleaning(SourceSet sources) {
    // Never inside another pass: the events let through below may hold a tick or a registry change.
    // What this pass would have read, the one that follows it reads.
    if (!scheduler_.BeginPass()) {
        pending_ |= sources;
        return;
    }
    // A pass that reads everything reads whatever was still to be read.
    if (sources == AllSources()) pending_.reset();
    // Watched afresh from here on: whatever changed before is in the reading that follows, which
    // includes what was notified and not yet handed on.
    sources |= ports_.watch.Restart();
    // Enforcement works only on a table just read from the registry, never on a loaded list, and the
    // list shows what the deletions left. A pass that deleted nothing left the table as it was read:
    // whatever the events let through changed since collected on its own.
    RefreshSources(sources);
    EndPass();
}

void Form1::EndPass() {
    const BanPass pass = DelectBanElement();
    ports_.events.ProcessPendingEvents();
    if (!pass.deleted.empty()) ReadBackOwnChanges(SourcesOf(pass.deleted));
    AnnounceNewcomers();
    TellUnreadFolders();
    if (scheduler_.EndPass()) ports_.window.StartSettleTimer();
}

void Form1::SetWindowShown(bool shown) {
    window_shown_ = shown;
    facts_.SetVisible(shown);
}

void Form1::TellUnreadFolders() {
    // A folder that stays unreadable would otherwise be told at every tick; a hidden start at logon is
    // nobody's moment for a box.
    if (!window_shown_) return;
    for (const UnreadFolder& unread : unread_folders_) {
        if (told_folders_.insert(unread.folder).second)
            ports_.boxes.Fail(words::FolderUnread(ports_.folders.PathOf(unread.folder), unread.reason));
    }
}

void Form1::ReadBackOwnChanges(SourceSet changed) {
    // The notifications of Quorvel's own changes would only bring this same reading once more.
    changed |= ports_.watch.Restart();
    RefreshSources(changed);
    // A program that watches its own value may write it back between a deletion and the restart of
    // the watch; the reading shows it, though no notification will. Once per event only: a value that
    // a deletion cannot remove would otherwise keep Quorvel cleaning for ever; the next event or tick
    // tries it again.
    if (showing_list_file_ || retried_) return;
    const std::vector<StartupEntry> found = BannedValues(ports_.registry, entries_);
    if (found.size() <= refused_bans_) return;
    retried_ = true;
    pending_ |= SourcesOf(found);
    ScheduleCleaning();
}

void Form1::Registry_Change(SourceSet changed) {
    retried_ = false;
    pending_ |= changed;
    ScheduleCleaning();
}

void Form1::ScheduleCleaning() {
    if (scheduler_.Changed()) ports_.window.StartSettleTimer();
}

void Form1::Settle_Timer() {
    scheduler_.Settled();
    const SourceSet changed = pending_;
    pending_.reset();
    PeriodicCleaning(changed);
}

bool Form1::Idle() {
    if (const std::optional<std::string> changed = facts_.Step()) {
        const FactsScheduler::Shown shown = facts_.ShownFor(*changed);
        ports_.view.ShowFacts(*changed, shown.publisher, shown.missing);
    }
    return facts_.HasWork();
}

void Form1::AnnounceNewcomers() {
    // Judged after the deletions of a pass, so that a banned entry that came back is no news.
    const std::vector<StartupEntry> news = newcomers_.Newcomers(entries_, read_since_announced_);
    read_since_announced_.reset();
    if (news.empty() || !tray_wanted_) return;
    // A shell that lost the icon without a word is asked for it again: the news needs the icon.
    if (!ports_.tray.IsShown() && !TryTrayIcon()) return;
    if (news.size() == 1) {
        ports_.tray.Announce(words::NewEntryTitle(news[0].Name), words::Readable(news[0].Command));
        return;
    }
    std::string names;
    for (const StartupEntry& entry : news)
        names += (names.empty() ? "" : ", ") + words::Readable(entry.Name);
    ports_.tray.Announce(words::NewEntriesTitle(news.size()), names);
}

namespace {

// Whether the machine's value starts this program: as written now, or unquoted as older starts wrote
// it. A path's letters are the same in either case.
bool StartsProgram(std::string_view value, std::string_view command, std::string_view program) {
    const auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    return same(value, command) || same(value, std::string(program) + " -auto");
}

}  // namespace

void Form1::RegisterAtLogon() {
    Registre& registry = ports_.registry;
    const std::string command = LogonCommand();
    // Every user's logon, administrators' included, runs what the machine's value names: only a file that
    // no one but an administrator can replace goes there. A copy in the user's downloads or on a share
    // starts for this user alone, and the machine's value an earlier start wrote for it goes.
    if (!ports_.files.OnlyAdministratorsCanChange(LogonProgram())) {
        if (StartsProgram(registry.ReadStringValue(kLocalMachine, kRunPath, kRunValueName), command,
                          LogonProgram())) {
            registry.DeleteValue(kLocalMachine, kRunPath, kRunValueName);
        }
        registry.WriteStringValue(kCurrentUser, kRunPath, kRunValueName, command);
        return;
    }
    // Registered for every user, by this start or an administrator's earlier one: a copy of the user's
    // own, made when that was refused, would start the program twice.
    if (registry.WriteStringValue(kLocalMachine, kRunPath, kRunValueName, command) ||
        registry.ReadStringValue(kLocalMachine, kRunPath, kRunValueName) == command) {
        if (registry.ReadStringValue(kCurrentUser, kRunPath, kRunValueName) == command)
            registry.DeleteValue(kCurrentUser, kRunPath, kRunValueName);
        return;
    }
    // A user without the right to change the machine still starts at logon, and keeps the bans.
    registry.WriteStringValue(kCurrentUser, kRunPath, kRunValueName, command);
}

void Form1::CreateSiblingKeys() {
    for (const RootKey root : kRoots) {
        if (!ports_.registry.HasRoot(root)) continue;
        ports_.registry.CreateKey(root, kRunDisabledPath);
        ports_.registry.CreateKey(root, kBanPath);
    }
}

std::string Form1::SettingsPath() const {
    return ports_.process.ProgramFolder() + "\\" + std::string(kSettingsFileName);
}

std::string Form1::UserSettingsPath() const {
    const std::string folder = ports_.process.UserFolder();
    return folder.empty() ? std::string() : folder + "\\" + std::string(kSettingsFileName);
}

void Form1::LoadSeting() {
    // The user's own file, made where the program's folder refused the options, comes first; the one
    // beside the program then only gave the defaults it started from.
    const std::string user = UserSettingsPath();
    settings_path_ = !user.empty() && ports_.files.Exists(user) ? user : SettingsPath();
    // Without a file the options keep the marks the menu is built with, so that a first start lists
    // the enabled and disabled entries instead of nothing.
    if (std::optional<std::string> file = ports_.files.ReadFile(settings_path_)) {
        const std::array<std::int16_t, 5> values = ReadSettings(*file);
        settings_on_disk_ = std::move(*file);
        for (size_t i = 0; i < kSettingsOrder.size(); ++i)
            ports_.options.SetChecked(kSettingsOrder[i], VtoB(values[i]));
    } else {
        // A file that is there but cannot be read (locked, or without read rights) holds the user's
        // options all the same: it is never replaced by these.
        settings_unreadable_ = ports_.files.Exists(settings_path_);
    }
    DrawList();
}

bool Form1::SaveSeting() {
    // A file that could not be read holds the user's options all the same: it is never replaced.
    if (settings_unreadable_) return false;
    // A file that already says the same is left alone: every start saves, and need not touch the disk.
    std::string text = WriteSettings(ports_.options);
    if (settings_on_disk_ == text) return true;
    if (ports_.files.ReplaceFile(settings_path_, text)) {
        settings_on_disk_ = std::move(text);
        return true;
    }
    // Beside a program under Program Files only administrators may write, and no redirection saves a
    // user's options there: the user's own folder keeps them, and is read first from then on.
    const std::string user = UserSettingsPath();
    if (user.empty() || settings_path_ == user || !ports_.files.CreateFolder(ports_.process.UserFolder()) ||
        !ports_.files.ReplaceFile(user, text)) {
        return false;
    }
    settings_path_ = user;
    settings_on_disk_ = std::move(text);
    return true;
}

void Form1::Option_Click(Option option) {
    ports_.options.SetChecked(option, !ports_.options.IsChecked(option));
    DrawList();
    // The choice holds until the program ends all the same; saying so once is enough.
    if (SaveSeting() || told_unsaved_) return;
    told_unsaved_ = true;
    const std::string why =
        settings_unreadable_
            ? words::SettingsUnreadable(settings_path_)
            : words::SettingsUnwritable(SettingsPath(), UserSettingsPath(), ports_.files.LastError());
    ports_.boxes.Fail(words::OptionsNotSaved(why));
}

}  // namespace quorvel
