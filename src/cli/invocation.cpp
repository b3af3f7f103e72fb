#include "cli/invocation.h"

#include <string_view>

#include "store/startup_entry.h"
#include "words/words.h"

namespace quorvel {
namespace {

struct ActionVerb {
    std::string_view word;
    EntryAction action;
};
constexpr ActionVerb kActionVerbs[] = {{"enable", EntryAction::kEnable},
                                       {"disable", EntryAction::kDisable},
                                       {"ban", EntryAction::kBan},
                                       {"delete", EntryAction::kDelete}};

ParsedInvocation Error(std::string text) { return {std::nullopt, std::move(text)}; }

}  // namespace

ParsedInvocation ParseInvocation(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Error(words::CliNoCommand());
    const std::string& command = arguments.front();
    Invocation invocation;
    if (command == "--help" || command == "-h" || command == "/?" || command == "help") {
        return {invocation, {}};
    }
    if (command == "--version") {
        invocation.verb = Verb::kVersion;
        return {invocation, {}};
    }

    std::vector<std::string> operands;
    bool user = false;
    bool machine = false;
    bool view32 = false;
    bool options_ended = false;
    std::vector<std::string_view> options;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && argument.size() > 1 && argument.front() == '-') {
            options.push_back(argument);
        } else {
            operands.push_back(argument);
        }
    }
    // Which options each command takes; anything else is a mistake worth saying.
    const auto allowed = [&](std::initializer_list<std::string_view> known) -> std::optional<std::string> {
        for (const std::string_view option : options) {
            bool found = false;
            for (const std::string_view k : known)
                found = found || option == k;
            if (!found) return words::CliUnknownOption(option, command);
        }
        return std::nullopt;
    };
    const auto has = [&](std::string_view option) {
        for (const std::string_view o : options) {
            if (o == option) return true;
        }
        return false;
    };
    const auto operand_count = [&](size_t wanted, std::string_view what) -> std::optional<std::string> {
        if (operands.size() < wanted) return words::CliMissingOperand(command, what);
        if (operands.size() > wanted) return words::CliExtraOperand(command, operands[wanted]);
        return std::nullopt;
    };

    if (command == "list") {
        if (auto error = allowed({"--json", "--csv", "--verify"})) return Error(*error);
        if (auto error = operand_count(0, {})) return Error(*error);
        if (has("--json") && has("--csv")) return Error(words::CliOneFormat());
        invocation.verb = Verb::kList;
        invocation.verify = has("--verify");
        invocation.format = has("--json")  ? ListFormat::kJson
                            : has("--csv") ? ListFormat::kCsv
                                           : ListFormat::kTable;
        return {invocation, {}};
    }
    for (const ActionVerb& verb : kActionVerbs) {
        if (command != verb.word) continue;
        const bool moves = verb.action != EntryAction::kDelete;
        if (auto error = moves ? allowed({"--user", "--machine", "--32", "--registry", "--folder",
                                          "--enabled", "--disabled", "--banned", "--replace"})
                               : allowed({"--user", "--machine", "--32", "--registry", "--folder",
                                          "--enabled", "--disabled", "--banned"}))
            return Error(*error);
        if (auto error = operand_count(1, words::kCliName)) return Error(*error);
        user = has("--user");
        machine = has("--machine");
        view32 = has("--32");
        if (user && (machine || view32)) return Error(words::CliUserOrMachine());
        if (has("--registry") && has("--folder")) return Error(words::CliRegistryOrFolder());
        if (has("--folder") && view32) return Error(words::CliFolderHasNoView());
        if (has("--registry")) invocation.family = Family::kRegistry;
        if (has("--folder")) invocation.family = Family::kFolder;
        const int states =
            (has("--enabled") ? 1 : 0) + (has("--disabled") ? 1 : 0) + (has("--banned") ? 1 : 0);
        if (states > 1) return Error(words::CliOneState());
        if (has("--enabled")) invocation.state = kStateEnabled;
        if (has("--disabled")) invocation.state = kStateDisabled;
        if (has("--banned")) invocation.state = kStateBanned;
        invocation.replace = has("--replace");
        invocation.verb = Verb::kAct;
        invocation.action = verb.action;
        invocation.name = operands[0];
        if (user) invocation.root = kCurrentUser;
        if (machine) invocation.root = kLocalMachine;
        if (view32) invocation.root = kLocalMachine32;
        return {invocation, {}};
    }
    if (command == "clean") {
        if (auto error = allowed({"--check"})) return Error(*error);
        if (auto error = operand_count(0, {})) return Error(*error);
        invocation.verb = Verb::kClean;
        invocation.check = has("--check");
        return {invocation, {}};
    }
    if (command == "save" || command == "restore") {
        if (auto error = command == "save" ? allowed({}) : allowed({"--check"})) return Error(*error);
        if (auto error = operand_count(1, words::kCliFile)) return Error(*error);
        invocation.verb = command == "save" ? Verb::kSave : Verb::kRestore;
        invocation.check = has("--check");
        invocation.file = operands[0];
        return {invocation, {}};
    }
    return Error(words::CliUnknownCommand(command));
}

}  // namespace quorvel
