#include "store/program_facts.h"

#include "store/program_file.h"
#include "store/publisher.h"
#include "words/publisher_words.h"

namespace quorvel {
namespace {

// The system as this machine alone can answer it: another machine's files are not looked for, and
// whether one was passed over is noted.
class ThisMachine final : public ProgramSearch {
  public:
    explicit ThisMachine(ProgramSearch& system) : system_(system) {}
    bool IsFile(std::string_view path) override {
        if (!system_.IsRemote(path)) return system_.IsFile(path);
        passed_over = true;
        return false;
    }
    std::vector<std::string> SearchFolders() override { return system_.SearchFolders(); }
    std::string ExpandVariables(std::string_view text) override { return system_.ExpandVariables(text); }
    bool IsRemote(std::string_view path) override { return system_.IsRemote(path); }
    bool passed_over = false;

  private:
    ProgramSearch& system_;
};

}  // namespace

ProgramFacts FindProgramFacts(std::string_view command, ProgramSearch& system, Registre& registry,
                              FileFacts& files, FileFactsCache* examined) {
    ThisMachine here(system);
    const ProgramFile program = FindProgramFile(command, examined != nullptr ? system : here, registry);
    // A file passed over would have come first where it exists: what was found instead is no answer.
    if (here.passed_over) return {program.path, std::nullopt, std::nullopt, true};
    ProgramFacts facts{program.path, program.found ? files.Stamp(program.path) : std::nullopt, std::nullopt,
                       false};
    if (examined == nullptr) return facts;
    // Of a file that is not there, nothing can be said.
    if (!facts.stamp) {
        facts.details = FileDetails{};
        return facts;
    }
    const FileDetails* known = examined->Find(facts.file, *facts.stamp);
    facts.details = known != nullptr ? *known : examined->Examine(facts.file, *facts.stamp, files);
    return facts;
}

std::string PublisherColumn(const ProgramFacts& facts, std::string_view unexamined) {
    if (facts.unreached) return std::string(words::kOnNetwork);
    if (!facts.Exists()) return std::string(words::kFileNotFound);
    return facts.details ? PublisherText(*facts.details) : std::string(unexamined);
}

}  // namespace quorvel
