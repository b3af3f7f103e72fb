#include "store/collection.h"

#include "store/startup_approved.h"

namespace quorvel {

void CollectEntries(Registre& registry, EntryTable& entries) {
    entries.clear();
    std::vector<NamedText> values;
    for (const EntrySource& source : kEntrySources) {
        if (!registry.HasRoot(source.root)) continue;
        values.clear();
        // Names and commands come in one pass over each key, so no value is read twice.
        registry.ListValues(values, source.root, source.path);
        for (NamedText& value : values) {
            entries.push_back(MakeEntry(std::move(value.name), std::move(value.text), source.state,
                                        source.root, value.type));
        }
    }
    ReadApprovals(registry, entries);
}

}  // namespace quorvel
