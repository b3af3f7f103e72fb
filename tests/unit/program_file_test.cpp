// Which file a startup command runs, on command lines that installers really write, against a small
// made-up machine.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_registre.h"
#include "fakes/utf16.h"
#include "store/program_file.h"

namespace quorvel {
namespace {

using testing::FakeRegistre;

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

// Files and variables compared without case, as Windows compares them.
class FakeMachine final : public ProgramSearch {
  public:
    FakeMachine(std::vector<std::string> files, std::vector<std::string> folders)
        : folders_(std::move(folders)) {
        for (const std::string& file : files)
            files_.insert(Lower(file));
    }
    bool IsFile(std::string_view path) override {
        ++looks;
        return files_.contains(Lower(std::string(path)));
    }
    std::vector<std::string> SearchFolders() override { return folders_; }
    std::string ExpandVariables(std::string_view text) override {
        std::string expanded;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string_view::npos;
            const auto value = close == std::string_view::npos
                                   ? variables_.end()
                                   : variables_.find(Lower(std::string(text.substr(i + 1, close - i - 1))));
            if (value == variables_.end()) {
                expanded += text[i];
                continue;
            }
            expanded += value->second;
            i = close;
        }
        return expanded;
    }
    int looks = 0;

  private:
    std::set<std::string> files_;
    std::vector<std::string> folders_;
    std::map<std::string, std::string> variables_{{"programfiles", R"(C:\Program Files)"},
                                                  {"systemroot", R"(C:\Windows)"},
                                                  {"localappdata", R"(C:\Users\ann\AppData\Local)"}};
};

const std::vector<std::string> kFolders{R"(C:\Windows\system32)", R"(C:\Windows\System)", R"(C:\Windows)",
                                        R"(C:\Windows\system32\WindowsPowerShell\v1.0\)", R"(C:\Tools)"};

constexpr std::string_view kAppPaths = R"(SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\)";

struct Case {
    std::string_view command;
    std::string_view path;
    bool found;
};

TEST(ProgramFile, InstallersCommandLinesResolveToTheFileWindowsRuns) {
    FakeMachine machine({R"(C:\Windows\system32\rundll32.exe)",
                         R"(C:\Windows\system32\cmd.exe)",
                         R"(C:\Windows\system32\msiexec.exe)",
                         R"(C:\Windows\system32\notepad.exe)",
                         R"(C:\Windows\notepad.exe)",
                         R"(C:\Windows\explorer.exe)",
                         R"(C:\Windows\system32\SecurityHealthSystray.exe)",
                         R"(C:\Windows\system32\LogiLDA.dll)",
                         R"(C:\Windows\system32\bthprops.cpl)",
                         R"(C:\Windows\system32\WindowsPowerShell\v1.0\powershell.exe)",
                         R"(C:\Program Files\Contoso\Agent\agent.exe)",
                         R"(C:\Program Files\Contoso\start agent.bat)",
                         R"(C:\Program Files\Contoso\hook.dll)",
                         R"(C:\PROGRA~1\Contoso\Tray\tray.exe)",
                         R"(C:\Program Files (x86)\Contoso\Updater\update.exe)",
                         R"(C:\Program Files (x86)\Reader\AcroRd32.exe)",
                         R"(C:\Users\ann\AppData\Local\Programs\Chatter\Update.exe)",
                         R"(C:\Users\ann\AppData\Local\Chatter\chatter.exe)",
                         R"(C:\Old\chatter.exe)",
                         R"(C:\Tools\sync.bat)",
                         R"(C:\Tools\monitor.exe)",
                         R"(C:\Tools\helper.dll)",
                         R"(C:\Tools\raw)"},
                        kFolders);
    FakeRegistre registry;
    registry.SetRaw(kCurrentUser, std::string(kAppPaths) + "chatter.exe", "",
                    {testing::kRegExpandSz, testing::StringData(R"("%LOCALAPPDATA%\Chatter\chatter.exe")")});
    registry.SetString(kLocalMachine, std::string(kAppPaths) + "chatter.exe", "", R"(C:\Old\chatter.exe)");
    registry.SetString(kLocalMachine, std::string(kAppPaths) + "AcroRd32.exe", "",
                       R"(C:\Program Files (x86)\Reader\AcroRd32.exe)");

    constexpr std::string_view kAgent = R"(C:\Program Files\Contoso\Agent\agent.exe)";
    const Case cases[] = {
        {R"("C:\Program Files\Contoso\Agent\agent.exe" /background)", kAgent, true},
        {R"(C:\Program Files\Contoso\Agent\agent.exe /background)", kAgent, true},
        {R"(C:\PROGRA~1\Contoso\Tray\tray.exe -startup)", R"(C:\PROGRA~1\Contoso\Tray\tray.exe)", true},
        {R"("%ProgramFiles%\Contoso\Agent\agent.exe" --minimized)", kAgent, true},
        {R"(%ProgramFiles%\Contoso\Agent\agent.exe)", kAgent, true},
        {R"(%SystemRoot%\system32\SecurityHealthSystray.exe)",
         R"(C:\Windows\system32\SecurityHealthSystray.exe)", true},
        {R"("%LOCALAPPDATA%\Programs\Chatter\Update.exe" --processStart "Chatter.exe" --process-start-args "--startup")",
         R"(C:\Users\ann\AppData\Local\Programs\Chatter\Update.exe)", true},
        {R"(C:\Program Files (x86)\Contoso\Updater\update.exe -arg "quoted value")",
         R"(C:\Program Files (x86)\Contoso\Updater\update.exe)", true},
        {R"(   "C:\Tools\monitor.exe"/background)", R"(C:\Tools\monitor.exe)", true},
        {R"(rundll32.exe C:\Windows\system32\LogiLDA.dll,LogiFetch)", R"(C:\Windows\system32\LogiLDA.dll)",
         true},
        {R"(RUNDLL32.EXE "C:\Program Files\Contoso\hook.dll",Start /quiet)",
         R"(C:\Program Files\Contoso\hook.dll)", true},
        {R"(rundll32.exe bthprops.cpl,,BluetoothAuthenticationAgent)", R"(C:\Windows\system32\bthprops.cpl)",
         true},
        {R"(rundll32 C:\Tools\helper,Run)", R"(C:\Tools\helper.dll)", true},
        {R"(cmd /c C:\Tools\sync.bat)", R"(C:\Tools\sync.bat)", true},
        {R"(cmd.exe /c "C:\Program Files\Contoso\start agent.bat")",
         R"(C:\Program Files\Contoso\start agent.bat)", true},
        {R"(C:\Windows\system32\cmd.exe /q /c ""C:\Program Files\Contoso\Agent\agent.exe" /tray")", kAgent,
         true},
        {R"(cmd /c start "" /min "C:\Program Files\Contoso\Agent\agent.exe")", kAgent, true},
        {R"(cmd /c sync)", R"(C:\Tools\sync.bat)", true},
        {R"(cmd /c echo ran> C:\marker.txt)", R"(C:\Windows\system32\cmd.exe)", true},
        {R"(MsiExec.exe /X{6C9D2E43-5A52-4F07-9B1D-2C0E4F1A6B21})", R"(C:\Windows\system32\MsiExec.exe)",
         true},
        {R"(C:\Tools\sync.bat)", R"(C:\Tools\sync.bat)", true},
        {R"(C:\Tools\monitor --quiet)", R"(C:\Tools\monitor.exe)", true},
        {R"(C:\Tools\raw --quiet)", R"(C:\Tools\raw)", true},
        {R"(explorer.exe /root,C:\Data)", R"(C:\Windows\explorer.exe)", true},
        {R"(notepad)", R"(C:\Windows\system32\notepad.exe)", true},
        {R"(powershell.exe -WindowStyle Hidden -File "C:\Scripts\logon.ps1")",
         R"(C:\Windows\system32\WindowsPowerShell\v1.0\powershell.exe)", true},
        {R"(chatter --hidden)", R"(C:\Users\ann\AppData\Local\Chatter\chatter.exe)", true},
        {R"(AcroRd32.exe /tray)", R"(C:\Program Files (x86)\Reader\AcroRd32.exe)", true},
        {R"("C:\Program Files\Contoso\Gone\gone.exe" /silent)", R"(C:\Program Files\Contoso\Gone\gone.exe)",
         false},
        {R"(C:\Program Files\Contoso\Gone\gone.exe /silent)", R"(C:\Program Files\Contoso\Gone\gone.exe)",
         false},
        {R"(rundll32.exe "C:\Program Files\Contoso\gone.dll",Run)", R"(C:\Program Files\Contoso\gone.dll)",
         false},
        {R"(cmd /c gone --now)", "gone.exe", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(FindProgramFile(c.command, machine, registry), (ProgramFile{std::string(c.path), c.found}));
    }
}

TEST(ProgramFile, AnUnquotedPathRunsTheFirstFileFoundAtABlank) {
    FakeMachine machine({R"(C:\Program.exe)", R"(C:\Program Files\Contoso\Agent\agent.exe)"}, kFolders);
    FakeRegistre registry;
    EXPECT_EQ(FindProgramFile(R"(C:\Program Files\Contoso\Agent\agent.exe /background)", machine, registry),
              (ProgramFile{R"(C:\Program.exe)", true}));
}

TEST(ProgramFile, HostileCommandsCostLittle) {
    FakeMachine machine({R"(C:\Windows\system32\cmd.exe)"}, kFolders);
    FakeRegistre registry;
    std::string words, folders, nested;
    for (int i = 0; i < 100000; ++i) {
        words += "x ";
        folders += R"(C:\x y\)";
        nested += "cmd /c ";
    }
    EXPECT_FALSE(FindProgramFile(words, machine, registry).found);
    EXPECT_FALSE(FindProgramFile(folders, machine, registry).found);
    EXPECT_EQ(FindProgramFile(nested + "start start start", machine, registry).path,
              R"(C:\Windows\system32\cmd.exe)");
    // Windows would look at each of the 300 000 blanks, many in several folders.
    EXPECT_LT(machine.looks, 500);
}

}  // namespace
}  // namespace quorvel
