#pragma once
// Form1 wired to fakes of every port, as the unit tests of the main window's behaviour use it.

#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/fake_list_files.h"
#include "fakes/fake_program_files.h"
#include "fakes/fake_registre.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_startup_folders.h"

namespace quorvel::testing {

struct Program {
    FakeRegistre registry;
    FakeKeyWatch watch;
    FakeList view;
    FakeOptions options;
    FakeWindow window;
    FakeTray tray;
    FakePopups popups;
    FakeEvents events;
    FakeProcess process;
    FakeLauncher launcher;
    FakeBoxes boxes;
    FakeAbout about;
    FakeFiles files;
    FakeFileDialogs dialogs;
    FakeTextCodec codec;
    FakeStartupFolders folders;
    FakeProgramFiles programs;
    Form1 form{{registry, watch, view, options, window, tray, popups, events, process, launcher, boxes, about,
                files, dialogs, codec, folders, programs, programs}};

    static constexpr char kConfig[] = "C:\\Program Files\\Quorvel\\config.ini";
    static constexpr char kUserConfig[] = "C:\\Users\\Ann\\AppData\\Local\\Quorvel\\config.ini";

    void Seed(RootKey root, std::string_view path, std::string_view name, std::string_view text) {
        registry.SetString(root, path, name, text);
    }
    bool Has(RootKey root, std::string_view path, std::string_view name) const {
        return registry.GetRaw(root, path, name).has_value();
    }
    // Right-clicks the row of this entry and chooses an item of the entry menu.
    void Choose(EntryAction action, const EntryIdentity& entry) {
        view.selected = entry;
        popups.entry_choice = action;
        form.View1_MouseUp(MouseButton::kRight);
    }
};

}  // namespace quorvel::testing
