#include "store/program_facts.h"

#include "store/program_file.h"
#include "store/publisher.h"
#include "words/publisher_words.h"

namespace quorvel {

ProgramFacts FindProgramFacts(std::string_view command, ProgramSearch& system, Registre& registry,
                              FileFacts& files, FileFactsCache* examined) {
    const ProgramFile program = FindProgramFile(command, system, registry);
    ProgramFacts facts{program.path, program.found ? files.Stamp(program.path) : std::nullopt, std::nullopt};
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
    if (!facts.Exists()) return std::string(words::kFileNotFound);
    return facts.details ? PublisherText(*facts.details) : std::string(unexamined);
}

}  // namespace quorvel
